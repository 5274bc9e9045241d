#include "core/pictures/Bmp.h"

#include <vector>

namespace kinloom {

namespace {

constexpr std::uint32_t kRgb = 0;        // uncompressed
constexpr std::uint32_t kBitFields = 3;  // uncompressed with channel masks (32-bit files)

}  // namespace

bool IsBmp(ByteView data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

Bitmap DecodeBmp(ByteView data, const ImageLimits& limits) {
    try {
        ByteReader r(data);
        if (!IsBmp(data)) throw ImageError("not a BMP file");
        r.Seek(10);
        const std::uint32_t pixelOffset = r.U32();
        const std::uint32_t headerSize = r.U32();
        std::int64_t width = 0, height = 0;
        std::uint16_t bits = 0;
        std::uint32_t compression = kRgb, colours = 0;
        std::size_t paletteEntry = 4;
        if (headerSize == 12) {  // the old OS/2 header
            width = r.U16();
            height = r.I16();
            r.Skip(2);
            bits = r.U16();
            paletteEntry = 3;
        } else if (headerSize >= 40) {
            width = r.I32();
            height = r.I32();
            r.Skip(2);
            bits = r.U16();
            compression = r.U32();
            r.Skip(12);
            colours = r.U32();
        } else {
            throw ImageError("unknown BMP header");
        }
        if (compression != kRgb && !(compression == kBitFields && bits == 32))
            throw ImageError("compressed BMP files are not supported");
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
            throw ImageError("BMP with " + std::to_string(bits) +
                             " bits per pixel is not supported");
        const bool topDown = height < 0;
        if (topDown) height = -height;
        if (width <= 0 || height <= 0) throw ImageError("BMP without pixels");
        if (width > limits.MaxSide || height > limits.MaxSide || width * height > limits.MaxPixels)
            throw ImageError("the picture is too large");

        std::vector<Pixel> palette;
        if (bits <= 8) {
            std::size_t count = colours ? colours : (std::size_t{1} << bits);
            if (count > 256) throw ImageError("BMP palette too large");
            r.Seek(14 + headerSize);
            for (std::size_t i = 0; i < count; ++i) {
                ByteView p = r.Take(paletteEntry);
                palette.push_back(Pixel{p[0], p[1], p[2]});
            }
        }

        const auto w = static_cast<std::size_t>(width);
        const auto h = static_cast<std::size_t>(height);
        const std::size_t rowBytes = ((w * bits + 31) / 32) * 4;
        Bitmap out(static_cast<int>(width), static_cast<int>(height));
        for (std::size_t y = 0; y < h; ++y) {
            ByteView row = r.Slice(pixelOffset + (topDown ? y : h - 1 - y) * rowBytes, rowBytes);
            std::span<std::uint8_t> dst = out.Row(static_cast<int>(y));
            for (std::size_t x = 0; x < w; ++x) {
                Pixel p;
                if (bits == 24 || bits == 32) {
                    const std::size_t at = x * (bits / 8);
                    p = Pixel{row[at], row[at + 1], row[at + 2]};
                } else {
                    const std::size_t bit = x * bits;
                    const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
                    const unsigned index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
                    if (index >= palette.size()) throw ImageError("BMP colour outside its palette");
                    p = palette[index];
                }
                dst[3 * x] = p.blue;
                dst[3 * x + 1] = p.green;
                dst[3 * x + 2] = p.red;
            }
        }
        return out;
    } catch (const ReadError&) {
        throw ImageError("the BMP file is cut short");
    }
}

Bitmap DecodeAnyPicture(ByteView data, const ImageLimits& limits) {
    if (IsBmp(data)) return DecodeBmp(data, limits);
    return DecodeImage(data, limits);
}

}  // namespace kinloom
