#pragma once
// Small BMP files in every form Windows programs write, each with the picture it must decode to:
// the same 5 × 3 picture (odd width, so every row is padded) of four colours, stored uncompressed
// at 16 and 32 bits, with colour masks, top-down, and run-length encoded at 4 and 8 bits.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/packages/ByteReader.h"
#include "core/pictures/Bitmap.h"

namespace kinloom::test {

struct BmpLayout {
    std::uint32_t HeaderSize = 40;  // 40, or 108 for the header that carries its masks inside
    std::int32_t Width = 0;
    std::int32_t Height = 0;  // negative: top-down
    std::uint16_t Bits = 24;
    std::uint32_t Compression = 0;
    std::vector<Pixel> Palette;
    std::optional<std::array<std::uint32_t, 3>> Masks;  // red, green, blue
    Bytes Pixels;                                       // as stored, rows padded
    bool SayPixelSize = true;                           // the header gives the pixels' size
};

inline Bytes BmpFile(const BmpLayout& l) {
    const bool masksAfterHeader = l.Masks && l.HeaderSize == 40;
    const std::uint32_t offset = 14 + l.HeaderSize + (masksAfterHeader ? 12u : 0u) +
                                 static_cast<std::uint32_t>(l.Palette.size() * 4);
    const auto pixelSize = static_cast<std::uint32_t>(l.Pixels.size());
    Bytes out{'B', 'M'};
    AppendU32(out, offset + pixelSize);
    AppendU32(out, 0);
    AppendU32(out, offset);
    AppendU32(out, l.HeaderSize);
    AppendU32(out, static_cast<std::uint32_t>(l.Width));
    AppendU32(out, static_cast<std::uint32_t>(l.Height));
    AppendU16(out, 1);
    AppendU16(out, l.Bits);
    AppendU32(out, l.Compression);
    AppendU32(out, l.SayPixelSize ? pixelSize : 0);
    AppendU32(out, 2835);
    AppendU32(out, 2835);
    AppendU32(out, static_cast<std::uint32_t>(l.Palette.size()));
    AppendU32(out, 0);
    if (l.Masks)
        for (std::uint32_t mask : *l.Masks) AppendU32(out, mask);
    while (out.size() < 14 + l.HeaderSize) out.push_back(0);  // alpha mask, colour space: unused
    for (const Pixel& p : l.Palette) out.insert(out.end(), {p.blue, p.green, p.red, 0});
    out.insert(out.end(), l.Pixels.begin(), l.Pixels.end());
    return out;
}

inline constexpr int kVariantWidth = 5;
inline constexpr int kVariantHeight = 3;
// The picture as colour numbers, top row first.
inline constexpr int kVariantIndexes[kVariantHeight][kVariantWidth] = {
    {0, 1, 2, 3, 0}, {1, 2, 1, 2, 1}, {3, 3, 0, 0, 0}};

struct BmpVariant {
    std::string Name;
    Bytes File;
    std::vector<Pixel> Expected;  // top row first
};

inline std::vector<Pixel> VariantPixels(const std::array<Pixel, 4>& colours) {
    std::vector<Pixel> out;
    for (const auto& row : kVariantIndexes)
        for (int index : row) out.push_back(colours[static_cast<std::size_t>(index)]);
    return out;
}

// Rows in stored order (bottom-up unless topDown), each value written by put and padded to 4.
template <typename Put>
Bytes StoredRows(bool topDown, std::size_t bytesPerPixel, Put put) {
    Bytes out;
    for (int row = 0; row < kVariantHeight; ++row) {
        const int y = topDown ? row : kVariantHeight - 1 - row;
        Bytes line;
        for (int x = 0; x < kVariantWidth; ++x) put(line, kVariantIndexes[y][x]);
        line.resize((kVariantWidth * bytesPerPixel + 3) / 4 * 4, 0);
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

inline std::vector<BmpVariant> BmpVariants() {
    const std::array<Pixel, 4> palette = {Pixel::Rgb(200, 30, 30), Pixel::Rgb(30, 200, 30),
                                          Pixel::Rgb(30, 30, 200), Pixel::Rgb(250, 250, 250)};
    std::vector<BmpVariant> out;

    // 16-bit: full channels and the middle value, which shows how five or six bits widen.
    const std::array<std::uint16_t, 4> rgb555 = {31 << 10, 31 << 5, 31, 16 << 10 | 16 << 5 | 16};
    const std::array<Pixel, 4> seen555 = {Pixel::Rgb(255, 0, 0), Pixel::Rgb(0, 255, 0),
                                          Pixel::Rgb(0, 0, 255), Pixel::Rgb(132, 132, 132)};
    const std::array<std::uint16_t, 4> rgb565 = {31 << 11, 63 << 5, 31, 16 << 11 | 32 << 5 | 16};
    const std::array<Pixel, 4> seen565 = {Pixel::Rgb(255, 0, 0), Pixel::Rgb(0, 255, 0),
                                          Pixel::Rgb(0, 0, 255), Pixel::Rgb(132, 130, 132)};
    for (bool topDown : {false, true}) {
        BmpLayout l;
        l.Width = kVariantWidth;
        l.Height = topDown ? -kVariantHeight : kVariantHeight;
        l.Bits = 16;
        l.Pixels = StoredRows(topDown, 2, [&](Bytes& b, int i) {
            AppendU16(b, rgb555[static_cast<std::size_t>(i)]);
        });
        out.push_back({topDown ? "16-bit 5-5-5 top-down" : "16-bit 5-5-5", BmpFile(l),
                       VariantPixels(seen555)});
    }
    {
        BmpLayout l;
        l.Width = kVariantWidth;
        l.Height = kVariantHeight;
        l.Bits = 16;
        l.Compression = 3;
        l.Masks = {{0xF800, 0x07E0, 0x001F}};
        l.Pixels = StoredRows(
            false, 2, [&](Bytes& b, int i) { AppendU16(b, rgb565[static_cast<std::size_t>(i)]); });
        out.push_back({"16-bit 5-6-5 with masks", BmpFile(l), VariantPixels(seen565)});
    }
    {
        // Bytes red, green, blue, alpha: masks in the long header.
        BmpLayout l;
        l.HeaderSize = 108;
        l.Width = kVariantWidth;
        l.Height = kVariantHeight;
        l.Bits = 32;
        l.Compression = 3;
        l.Masks = {{0x000000FF, 0x0000FF00, 0x00FF0000}};
        l.Pixels = StoredRows(false, 4, [&](Bytes& b, int i) {
            const Pixel& p = palette[static_cast<std::size_t>(i)];
            b.insert(b.end(), {p.red, p.green, p.blue, 0xFF});
        });
        out.push_back(
            {"32-bit red-green-blue-alpha with masks", BmpFile(l), VariantPixels(palette)});
    }
    {
        // The masks Windows itself writes, after the 40-byte header; the spare byte is not black.
        BmpLayout l;
        l.Width = kVariantWidth;
        l.Height = -kVariantHeight;
        l.Bits = 32;
        l.Compression = 3;
        l.Masks = {{0x00FF0000, 0x0000FF00, 0x000000FF}};
        l.Pixels = StoredRows(true, 4, [&](Bytes& b, int i) {
            const Pixel& p = palette[static_cast<std::size_t>(i)];
            b.insert(b.end(), {p.blue, p.green, p.red, 0x7F});
        });
        out.push_back({"32-bit with masks top-down", BmpFile(l), VariantPixels(palette)});
    }

    // Run-length encoded, written out by hand so that every kind of step occurs: runs, pixels
    // given one by one (padded to an even length), line ends, the picture's end.
    const std::vector<Pixel> paletteList(palette.begin(), palette.end());
    {
        BmpLayout l;
        l.Width = kVariantWidth;
        l.Height = kVariantHeight;
        l.Bits = 8;
        l.Compression = 1;
        l.Palette = paletteList;
        l.Pixels = {2, 3, 3, 0, 0, 0,                     // bottom row: 3 3 0 0 0
                    0, 5, 1, 2, 1, 2, 1, 0, 0, 0,         // 1 2 1 2 1, one by one
                    0, 5, 0, 1, 2, 3, 0, 0, 0, 0, 0, 1};  // 0 1 2 3 0; end
        out.push_back({"RLE8", BmpFile(l), VariantPixels(palette)});
    }
    {
        BmpLayout l;
        l.Width = kVariantWidth;
        l.Height = kVariantHeight;
        l.Bits = 4;
        l.Compression = 2;
        l.Palette = paletteList;
        l.Pixels = {2, 0x33, 3,    0x00, 0,    0,               // bottom row: 3 3 0 0 0
                    5, 0x12, 0,    0,                           // 1 2 1 2 1: a run of two colours
                    0, 5,    0x01, 0x23, 0x00, 0, 0, 0, 0, 1};  // 0 1 2 3 0 one by one; end
        out.push_back({"RLE4", BmpFile(l), VariantPixels(palette)});
    }
    {
        // A move skips pixels, which stay black; the end comes before the last line.
        BmpLayout l;
        l.Width = kVariantWidth;
        l.Height = kVariantHeight;
        l.Bits = 8;
        l.Compression = 1;
        l.Palette = paletteList;
        l.Pixels = {0, 2, 3, 0, 2, 1, 0, 0,  // bottom row: three skipped, then 1 1
                    0, 2, 1, 1,              // one right and one up: into the top row at x 1
                    4, 2, 0, 1};             // 2 2 2 2; end
        const Pixel black = Pixel::Rgb(0, 0, 0);
        const Pixel g = palette[1], b = palette[2];
        out.push_back(
            {"RLE8 with a move and an early end",
             BmpFile(l),
             {black, b, b, b, b, black, black, black, black, black, black, black, black, g, g}});
    }
    return out;
}

}  // namespace kinloom::test
