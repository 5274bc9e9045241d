#include "core/pictures/Bitmap.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace kinloom {

namespace {

std::size_t ByteCount(int width, int height) {
    if (width < 0 || height < 0) {
        throw std::invalid_argument("Bitmap size " + std::to_string(width) + " x " +
                                    std::to_string(height) + " is negative");
    }
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    constexpr std::size_t kMax =
        std::numeric_limits<std::ptrdiff_t>::max() / Bitmap::kBytesPerPixel;
    if (w != 0 && h > kMax / w) {
        throw std::length_error("Bitmap size " + std::to_string(width) + " x " +
                                std::to_string(height) + " is too large");
    }
    return w * h * Bitmap::kBytesPerPixel;
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
    Resize(width, height);
}

Bitmap::Bitmap(int width, int height, Pixel fill) : Bitmap(width, height) {
    this->Fill(fill);
}

void Bitmap::Resize(int width, int height) {
    const std::size_t count = ByteCount(width, height);
    pixels_.assign(count, 0);
    width_ = width;
    height_ = height;
}

std::span<std::uint8_t> Bitmap::Row(int y) {
    if (y < 0 || y >= height_) throw std::out_of_range("Bitmap row " + std::to_string(y));
    return std::span<std::uint8_t>(pixels_).subspan(static_cast<std::size_t>(y) * Stride(),
                                                    Stride());
}

std::span<const std::uint8_t> Bitmap::Row(int y) const {
    if (y < 0 || y >= height_) throw std::out_of_range("Bitmap row " + std::to_string(y));
    return ByteView(pixels_).subspan(static_cast<std::size_t>(y) * Stride(), Stride());
}

std::size_t Bitmap::Offset(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) {
        throw std::out_of_range("Bitmap pixel " + std::to_string(x) + ", " + std::to_string(y));
    }
    return static_cast<std::size_t>(y) * Stride() + static_cast<std::size_t>(x) * kBytesPerPixel;
}

Pixel Bitmap::PixelAt(int x, int y) const {
    const std::size_t at = Offset(x, y);
    return Pixel{pixels_[at], pixels_[at + 1], pixels_[at + 2]};
}

void Bitmap::SetPixel(int x, int y, Pixel p) {
    const std::size_t at = Offset(x, y);
    pixels_[at] = p.blue;
    pixels_[at + 1] = p.green;
    pixels_[at + 2] = p.red;
}

void Bitmap::Fill(Pixel p) {
    for (std::size_t at = 0; at + 2 < pixels_.size(); at += kBytesPerPixel) {
        pixels_[at] = p.blue;
        pixels_[at + 1] = p.green;
        pixels_[at + 2] = p.red;
    }
}

void GrayscaleBitmap(Bitmap& bitmap) {
    std::span<std::uint8_t> px = bitmap.PixelBytes();
    for (std::size_t at = 0; at + 2 < px.size(); at += Bitmap::kBytesPerPixel) {
        // 77 + 151 + 28 = 256, so the weighted sum of 8-bit channels fits in 16 bits and its
        // high byte is the grey value.
        const unsigned sum = 28u * px[at] + 151u * px[at + 1] + 77u * px[at + 2];
        const auto v = static_cast<std::uint8_t>(sum >> 8);
        px[at] = v;
        px[at + 1] = v;
        px[at + 2] = v;
    }
}

}  // namespace kinloom
