#include "core/pictures/Bmp.h"

#include <bit>
#include <vector>

namespace kinloom {

namespace {

// Compression codes of the BMP info header.
constexpr std::uint32_t kRgb = 0;        // uncompressed
constexpr std::uint32_t kRle8 = 1;       // run-length encoded, 8 bits per pixel
constexpr std::uint32_t kRle4 = 2;       // run-length encoded, 4 bits per pixel
constexpr std::uint32_t kBitFields = 3;  // uncompressed 16- or 32-bit pixels with channel masks

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

// One colour channel of a 16- or 32-bit pixel: where its bits lie and how many there are.
struct Channel {
    unsigned Shift = 0;
    unsigned Width = 0;

    static Channel FromMask(std::uint32_t mask) {
        if (mask == 0) return {};
        const auto shift = static_cast<unsigned>(std::countr_zero(mask));
        const auto width = static_cast<unsigned>(std::popcount(mask));
        // The bits of a channel lie side by side; anything else is no picture a program writes.
        if (width != 32 && (mask >> shift) != (1u << width) - 1)
            throw ImageError("BMP colour mask with gaps");
        return {shift, width};
    }
    // The channel's value scaled to 0 to 255 (five bits of 31 give 255, of 16 give 132).
    std::uint8_t Value(std::uint32_t pixel) const {
        if (Width == 0) return 0;
        if (Width >= 8) return static_cast<std::uint8_t>(pixel >> (Shift + Width - 8));
        const std::uint32_t max = (1u << Width) - 1;
        const std::uint32_t v = (pixel >> Shift) & max;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

struct Masks {
    Channel Red, Green, Blue;
};

void Put(Bitmap& out, std::size_t x, std::size_t row, Pixel p) {
    std::span<std::uint8_t> dst = out.Row(static_cast<int>(row));
    dst[3 * x] = p.blue;
    dst[3 * x + 1] = p.green;
    dst[3 * x + 2] = p.red;
}

const Pixel& PaletteColour(const std::vector<Pixel>& palette, unsigned index) {
    if (index >= palette.size()) throw ImageError("BMP colour outside its palette");
    return palette[index];
}

// Run-length encoded pixels (RLE8 or RLE4), read from their own bounded run of bytes. Runs that
// reach past a line's end are cut there; pixels the file never draws (skipped by a move, or
// after an early end) stay black.
void DecodeRle(ByteView encoded, unsigned bits, const std::vector<Pixel>& palette, bool topDown,
               Bitmap& out) {
    ByteReader r(encoded);
    const auto w = static_cast<std::size_t>(out.Width());
    const auto h = static_cast<std::size_t>(out.Height());
    std::size_t x = 0, y = 0;  // y counts lines in stored order
    auto draw = [&](unsigned index) {
        const Pixel& p = PaletteColour(palette, index);
        if (x < w && y < h) Put(out, x, topDown ? y : h - 1 - y, p);
        ++x;
    };
    while (y < h && !r.AtEnd()) {
        const std::uint8_t count = r.U8();
        const std::uint8_t value = r.U8();
        if (count > 0) {  // a run of one index, or in RLE4 of two alternating ones
            for (unsigned i = 0; i < count; ++i)
                draw(bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move right and up
            x += r.U8();
            y += r.U8();
        } else {  // value pixels given one by one, padded to a 16-bit boundary
            const std::size_t bytes = bits == 8 ? value : (value + 1u) / 2;
            ByteView given = r.Take(bytes);
            for (unsigned i = 0; i < value; ++i)
                draw(bits == 8 ? given[i] : (i % 2 == 0 ? given[i / 2] >> 4 : given[i / 2] & 0x0F));
            if (bytes % 2 != 0) r.Skip(1);
        }
    }
}

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
        std::uint32_t compression = kRgb, imageSize = 0, colours = 0;
        std::size_t paletteEntry = 4;
        if (headerSize == 12) {  // the old OS/2 header
            width = r.U16();
            height = r.I16();
            r.Skip(2);
            bits = r.U16();
            paletteEntry = 3;
        } else if (headerSize >= kInfoHeaderSize) {
            width = r.I32();
            height = r.I32();
            r.Skip(2);
            bits = r.U16();
            compression = r.U32();
            imageSize = r.U32();
            r.Skip(8);
            colours = r.U32();
        } else {
            throw ImageError("unknown BMP header");
        }

        const bool rle = compression == kRle8 || compression == kRle4;
        if (compression == kRle8 && bits != 8) throw ImageError("RLE8 BMP without 8-bit pixels");
        if (compression == kRle4 && bits != 4) throw ImageError("RLE4 BMP without 4-bit pixels");
        if (compression == kBitFields && bits != 16 && bits != 32)
            throw ImageError("BMP colour masks need 16- or 32-bit pixels");
        if (compression != kRgb && compression != kBitFields && !rle)
            throw ImageError("BMP compression " + std::to_string(compression) +
                             " is not supported");
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
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
            r.Seek(kFileHeaderSize + headerSize);
            for (std::size_t i = 0; i < count; ++i) {
                ByteView p = r.Take(paletteEntry);
                palette.push_back(Pixel{p[0], p[1], p[2]});
            }
        }

        Bitmap out(static_cast<int>(width), static_cast<int>(height));
        if (rle) {
            // Compressed pixels are only as long as the header says: a file must say it.
            if (imageSize == 0) throw ImageError("RLE BMP without the size of its pixels");
            DecodeRle(r.Slice(pixelOffset, imageSize), bits, palette, topDown, out);
            return out;
        }

        // 16-bit pixels without masks are 5-5-5; 32-bit ones are blue, green, red and a spare byte.
        Masks masks;
        if (bits == 16 || bits == 32) {
            std::uint32_t red = bits == 16 ? 0x7C00 : 0xFF0000;
            std::uint32_t green = bits == 16 ? 0x03E0 : 0x00FF00;
            std::uint32_t blue = bits == 16 ? 0x001F : 0x0000FF;
            if (compression == kBitFields) {
                // Right after the 40-byte header, whether inside a longer header or after it.
                r.Seek(kFileHeaderSize + kInfoHeaderSize);
                red = r.U32();
                green = r.U32();
                blue = r.U32();
            }
            masks = {Channel::FromMask(red), Channel::FromMask(green), Channel::FromMask(blue)};
        }

        const auto w = static_cast<std::size_t>(width);
        const auto h = static_cast<std::size_t>(height);
        const std::size_t rowBytes = ((w * bits + 31) / 32) * 4;
        for (std::size_t y = 0; y < h; ++y) {
            ByteView row = r.Slice(pixelOffset + (topDown ? y : h - 1 - y) * rowBytes, rowBytes);
            for (std::size_t x = 0; x < w; ++x) {
                Pixel p;
                if (bits == 24) {
                    p = Pixel{row[3 * x], row[3 * x + 1], row[3 * x + 2]};
                } else if (bits == 16 || bits == 32) {
                    std::uint32_t value = static_cast<std::uint32_t>(row[x * (bits / 8)]) |
                                          static_cast<std::uint32_t>(row[x * (bits / 8) + 1]) << 8;
                    if (bits == 32)
                        value |= static_cast<std::uint32_t>(row[4 * x + 2]) << 16 |
                                 static_cast<std::uint32_t>(row[4 * x + 3]) << 24;
                    p = Pixel{masks.Blue.Value(value), masks.Green.Value(value),
                              masks.Red.Value(value)};
                } else {
                    const std::size_t bit = x * bits;
                    const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
                    p = PaletteColour(palette, (row[bit / 8] >> shift) & ((1u << bits) - 1));
                }
                Put(out, x, y, p);
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
