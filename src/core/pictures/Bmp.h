#pragma once
// Windows bitmap (.bmp) pictures, which players may pick as a neighborhood picture: uncompressed
// 1-, 4-, 8-, 24- and 32-bit files. Read bounded; anything else is an ImageError.

#include "core/pictures/ImageCodecs.h"

namespace kinloom {

bool IsBmp(ByteView data);
Bitmap DecodeBmp(ByteView data, const ImageLimits& limits = {});

// PNG, JPEG or BMP, chosen by the file's signature bytes.
Bitmap DecodeAnyPicture(ByteView data, const ImageLimits& limits = {});

}  // namespace kinloom
