// Hostile BMP files: decoding is bounded and fails with an ImageError, never a crash.
#include <cstddef>
#include <cstdint>

#include "core/pictures/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    try {
        ImageLimits limits;
        limits.MaxSide = 4096;
        limits.MaxPixels = 4096 * 1024;
        Bitmap b = DecodeBmp(ByteView(data, size), limits);
        if (b.Width() <= 0 || b.Height() <= 0) __builtin_trap();
    } catch (const ImageError&) {
    }
    return 0;
}
