#include "core/pictures/MakeThumb.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace kinloom {

namespace {

// 1 / (target / source), divided in extended precision and kept as a 32-bit float, as the
// thumbnails players know were made. Both sizes are positive. long double is the 80-bit x87 type
// with g++ and MinGW on x86; where it is plain double (MSVC) a rare factor may differ in its
// last bit.
float ScaleFactor(int target, int source) {
    const long double ratio = static_cast<long double>(target) / static_cast<long double>(source);
    return static_cast<float>(1.0L / ratio);
}

// trunc(count · factor), the product taken in extended precision from the 32-bit factor.
long long TruncProduct(int count, float factor) {
    return static_cast<long long>(
        std::trunc(static_cast<long double>(count) * static_cast<long double>(factor)));
}

// Where each target column (or row) starts in the source: target cell i covers source cells
// bounds[i] .. bounds[i + 1] - 1. Bounds never leave the source, so rounding in the factor can
// shorten the last span but never make it read past the edge.
std::vector<int> SpanBounds(int targetCount, int sourceCount, float factor) {
    std::vector<int> bounds(static_cast<std::size_t>(targetCount) + 1);
    for (int i = 0; i <= targetCount; ++i) {
        const long long b = std::clamp<long long>(TruncProduct(i, factor), 0, sourceCount);
        bounds[static_cast<std::size_t>(i)] = static_cast<int>(b);
    }
    return bounds;
}

void BoxAverage(const Bitmap& source, Bitmap& target, float fx, float fy) {
    const std::vector<int> xs = SpanBounds(target.Width(), source.Width(), fx);
    const std::vector<int> ys = SpanBounds(target.Height(), source.Height(), fy);
    for (int j = 0; j < target.Height(); ++j) {
        const int y0 = ys[static_cast<std::size_t>(j)];
        const int y1 = ys[static_cast<std::size_t>(j) + 1];
        std::span<std::uint8_t> out = target.Row(j);
        for (int i = 0; i < target.Width(); ++i) {
            const int x0 = xs[static_cast<std::size_t>(i)];
            const int x1 = xs[static_cast<std::size_t>(i) + 1];
            const auto area =
                static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
            const std::size_t at = static_cast<std::size_t>(i) * Bitmap::kBytesPerPixel;
            // A cell with no source pixels (source narrower than the target in that direction)
            // stays black rather than dividing by zero.
            if (area == 0) continue;
            std::uint64_t sum[3] = {0, 0, 0};
            const std::size_t first = static_cast<std::size_t>(x0) * Bitmap::kBytesPerPixel;
            const std::size_t end = static_cast<std::size_t>(x1) * Bitmap::kBytesPerPixel;
            for (int y = y0; y < y1; ++y) {
                std::span<const std::uint8_t> in = source.Row(y).subspan(first, end - first);
                for (std::size_t s = 0; s < in.size(); s += Bitmap::kBytesPerPixel) {
                    sum[0] += in[s];
                    sum[1] += in[s + 1];
                    sum[2] += in[s + 2];
                }
            }
            if (area <= 65535) {
                // Fixed point: k · area < 65536, so an average is never rounded up (a uniform
                // block of v comes out as v - 1 for blocks up to 256 pixels).
                const std::uint64_t k = 65535u / static_cast<std::uint32_t>(area);
                for (int c = 0; c < 3; ++c) {
                    out[at + static_cast<std::size_t>(c)] =
                        static_cast<std::uint8_t>((sum[c] * k) >> 16);
                }
            } else {
                // Blocks this large would get k = 0 and come out black; average them exactly.
                for (int c = 0; c < 3; ++c) {
                    out[at + static_cast<std::size_t>(c)] =
                        static_cast<std::uint8_t>(sum[c] / area);
                }
            }
        }
    }
}

// In place, top to bottom: each inner pixel is weighed against its four diagonal neighbours, the
// row above already sharpened and the row below not yet. The outermost rows and columns stay.
void Sharpen(Bitmap& bitmap) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (h < 3 || w < 3) return;
    const std::size_t bpp = Bitmap::kBytesPerPixel;
    for (int y = 1; y <= h - 2; ++y) {
        std::span<const std::uint8_t> above = bitmap.Row(y - 1);
        std::span<const std::uint8_t> below = bitmap.Row(y + 1);
        std::span<std::uint8_t> here = bitmap.Row(y);
        for (std::size_t x = 1; x + 1 < static_cast<std::size_t>(w); ++x) {
            for (std::size_t c = 0; c < bpp; ++c) {
                const std::size_t left = (x - 1) * bpp + c;
                const std::size_t right = (x + 1) * bpp + c;
                const int v = (12 * here[x * bpp + c] - above[left] - above[right] - below[left] -
                               below[right]) /
                              8;  // truncates toward zero, before the clamp
                here[x * bpp + c] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
            }
        }
    }
}

void Reduce(const Bitmap& source, Bitmap& target, int width, int height, float fx, float fy) {
    Bitmap result(width, height);
    BoxAverage(source, result, fx, fy);
    Sharpen(result);
    target = std::move(result);
}

}  // namespace

void MakeThumb(const Bitmap& source, Bitmap& target, int size) {
    if (size <= 0 || source.Empty()) {
        target = Bitmap();
        return;
    }
    if (size >= source.Width() && size >= source.Height()) {
        target = source;
        return;
    }
    Reduce(source, target, size, size, ScaleFactor(size, source.Width()),
           ScaleFactor(size, source.Height()));
}

void MakeThumbFit(const Bitmap& source, Bitmap& target, int width, int height) {
    if (width <= 0 || height <= 0 || source.Empty()) {
        target = Bitmap();
        return;
    }
    if (source.Width() <= width && source.Height() <= height) {
        target = source;
        return;
    }
    const int sw = source.Width();
    const int sh = source.Height();
    float fx = ScaleFactor(width, sw);
    float fy = ScaleFactor(height, sh);
    // Shrinking the box by one factor keeps the box's own proportions, not the picture's.
    auto shrink = [&](float factor) {
        width = static_cast<int>(TruncProduct(width, factor));
        height = static_cast<int>(TruncProduct(height, factor));
        if (width <= 0 || height <= 0) return false;
        fx = ScaleFactor(width, sw);
        fy = ScaleFactor(height, sh);
        return true;
    };
    if (fy < 1 && !shrink(fy)) {
        target = Bitmap();
        return;
    }
    if (fx < 1 && !shrink(fx)) {
        target = Bitmap();
        return;
    }
    Reduce(source, target, width, height, fx, fy);
}

}  // namespace kinloom
