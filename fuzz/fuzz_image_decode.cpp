// Hostile pictures (a sim's JPEG thumbnail, a PNG the user picks): both decoders either give a
// picture of the announced size or throw ImageError, and never exit, crash or overrun.
#include <cstddef>
#include <cstdint>

#include "core/pictures/ImageCodecs.h"
#include "core/pictures/MakeThumb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinloom;
    const ByteView bytes(data, size);
    // Small limits keep each run quick; the size checks themselves are what is exercised.
    const ImageLimits limits{2048, 1 << 20};
    for (auto decode : {&DecodePng, &DecodeJpeg}) {
        try {
            const Bitmap picture = decode(bytes, limits);
            if (picture.Empty() || picture.Width() > limits.MaxSide ||
                picture.Height() > limits.MaxSide ||
                picture.PixelBytes().size() !=
                    picture.Stride() * static_cast<std::size_t>(picture.Height())) {
                __builtin_trap();
            }
            // What the window does next with a decoded thumbnail.
            Bitmap thumb;
            MakeThumb(picture, thumb, 32);
        } catch (const ImageError&) {
        }
    }
    return 0;
}
