#pragma once
// The picture every sim and neighborhood image passes through: a 24-bit bitmap whose rows run top
// to bottom, each pixel three bytes in the order blue, green, red, rows packed without padding.
// Every picture is converted to this form on the way in (decoders, the window's images), so the
// routines that draw thumbnails and grey pictures never meet another pixel format.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/packages/ByteReader.h"

namespace kinloom {

struct Pixel {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;

    static constexpr Pixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Pixel{b, g, r};
    }
    bool operator==(const Pixel&) const = default;
};

class Bitmap {
public:
    static constexpr int kBytesPerPixel = 3;

    Bitmap() = default;
    // A black picture. Negative sizes throw std::invalid_argument; a size whose pixel bytes do
    // not fit in memory's address range throws std::length_error.
    Bitmap(int width, int height);
    Bitmap(int width, int height, Pixel fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    std::size_t Stride() const { return static_cast<std::size_t>(width_) * kBytesPerPixel; }

    // Discards the content: the picture becomes width × height, black.
    void Resize(int width, int height);

    // One row of pixel bytes (blue, green, red, ...); y must be in range (checked).
    std::span<std::uint8_t> Row(int y);
    std::span<const std::uint8_t> Row(int y) const;
    // All pixel bytes, rows top to bottom.
    std::span<std::uint8_t> PixelBytes() { return pixels_; }
    ByteView PixelBytes() const { return pixels_; }

    // Checked pixel access (std::out_of_range outside the picture); for tests and the odd pixel,
    // not for loops over whole pictures.
    Pixel PixelAt(int x, int y) const;
    void SetPixel(int x, int y, Pixel p);
    void Fill(Pixel p);

    bool operator==(const Bitmap&) const = default;

private:
    std::size_t Offset(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    Bytes pixels_;
};

// Turns the picture grey in place (sims outside any household are drawn this way): each pixel
// becomes the high byte of 77·red + 151·green + 28·blue in all three channels, so white stays
// 255 and black 0.
void GrayscaleBitmap(Bitmap& bitmap);

}  // namespace kinloom
