#pragma once
// Windows bitmap (.bmp) pictures, which players may pick as a neighborhood picture: every form
// Windows programs write — 1-, 4-, 8-, 16-, 24- and 32-bit pixels, bottom-up or top-down,
// uncompressed, run-length encoded (RLE4, RLE8) or with colour masks (16-bit 5-5-5 and 5-6-5,
// 32-bit in any channel order), under the OS/2 header or any Windows header. Read bounded;
// anything else is an ImageError.

#include "core/pictures/ImageCodecs.h"

namespace kinloom {

bool IsBmp(ByteView data);
Bitmap DecodeBmp(ByteView data, const ImageLimits& limits = {});

// PNG, JPEG or BMP, chosen by the file's signature bytes.
Bitmap DecodeAnyPicture(ByteView data, const ImageLimits& limits = {});

}  // namespace kinloom
