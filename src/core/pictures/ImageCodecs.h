#pragma once
// PNG and JPEG pictures in and out of memory, through libpng and libjpeg. Decoding meets hostile
// bytes (thumbnails inside character packages, pictures a user picks), so a decoder never exits
// or crashes: any failure, including a picture too large to hold, is an ImageError whose text is
// the codec's own message. Every decoded picture is a 24-bit Bitmap (blue, green, red):
// grey, palette and 16-bit PNGs are converted, transparency is laid over white, CMYK JPEGs are
// converted to colour.

#include <stdexcept>

#include "core/packages/ByteReader.h"
#include "core/pictures/Bitmap.h"

namespace kinloom {

class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest picture a decoder will allocate. The defaults hold any photo a user may pick as a
// neighborhood picture; a header announcing more is refused before anything is allocated.
struct ImageLimits {
    int MaxSide = 16384;
    long long MaxPixels = 64LL * 1024 * 1024;
};

enum class ImageFormat { Unknown, Png, Jpeg };

// The format by the file's signature bytes, not by its name.
ImageFormat DetectImageFormat(ByteView data);

Bitmap DecodePng(ByteView data, const ImageLimits& limits = {});
Bitmap DecodeJpeg(ByteView data, const ImageLimits& limits = {});
// Chooses the decoder by signature; ImageError when neither fits.
Bitmap DecodeImage(ByteView data, const ImageLimits& limits = {});

// A 24-bit colour PNG, as the game reads neighborhood pictures.
Bytes EncodePng(const Bitmap& bitmap);
// A baseline colour JPEG, quality 1 to 100.
Bytes EncodeJpeg(const Bitmap& bitmap, int quality = 90);

}  // namespace kinloom
