#include "core/demo/DemoPictures.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/pictures/Bitmap.h"
#include "core/pictures/ImageCodecs.h"
#include "core/records/Character.h"

namespace kinloom {
namespace {

std::uint32_t Hash(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (char ch : text) h = (h ^ static_cast<std::uint8_t>(ch)) * 16777619u;
    return h;
}

// The colour a fixed gene value shows as; anything unknown gets a colour from its text.
Pixel ColorOf(const std::string& gene, int kind) {
    static constexpr Pixel kHair[] = {Pixel::Rgb(30, 24, 20), Pixel::Rgb(96, 60, 32),
                                      Pixel::Rgb(222, 190, 110), Pixel::Rgb(170, 70, 30)};
    static constexpr Pixel kSkin[] = {Pixel::Rgb(245, 215, 190), Pixel::Rgb(222, 180, 140),
                                      Pixel::Rgb(180, 130, 90), Pixel::Rgb(110, 72, 48)};
    if (gene.size() == 36 && gene.compare(0, 7, "0000000") == 0 && gene[7] >= '1' &&
        gene[7] <= '4' && gene.compare(8, 28, "-0000-0000-0000-000000000000") == 0) {
        const auto i = static_cast<std::size_t>(gene[7] - '1');
        return kind == 0 ? kHair[i] : kSkin[i];
    }
    const std::uint32_t h = Hash(gene);
    return Pixel::Rgb(static_cast<std::uint8_t>(60 + h % 160),
                      static_cast<std::uint8_t>(60 + (h >> 8) % 160),
                      static_cast<std::uint8_t>(60 + (h >> 16) % 160));
}

void Disc(Bitmap& b, double cx, double cy, double rx, double ry, Pixel p) {
    const int x0 = std::max(0, static_cast<int>(cx - rx)),
              x1 = std::min(b.Width() - 1, static_cast<int>(cx + rx));
    const int y0 = std::max(0, static_cast<int>(cy - ry)),
              y1 = std::min(b.Height() - 1, static_cast<int>(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) b.SetPixel(x, y, p);
        }
}

}  // namespace

Bytes DemoFaceJpeg(const Character& sim, int side) {
    const double s = side;
    const std::uint32_t h = Hash(sim.FirstName + sim.LastName);
    Bitmap b(side, side,
             Pixel::Rgb(static_cast<std::uint8_t>(150 + h % 90),
                        static_cast<std::uint8_t>(170 + (h >> 8) % 70),
                        static_cast<std::uint8_t>(190 + (h >> 16) % 60)));
    const Pixel hair = ColorOf(sim.HairColor, 0);
    const Pixel skin = sim.Species != 0 ? hair : ColorOf(sim.SkinColor, 1);
    const Pixel eye = ColorOf(sim.EyeColor, 2);
    const double grow = sim.Ages <= 3 ? 0.8 : 1.0;  // little ones get little heads
    const double r = s * 0.30 * grow;
    if (sim.Species != 0) {
        Disc(b, s * 0.5 - r * 0.8, s * 0.5 - r * 0.9, r * 0.35, r * 0.55, hair);  // ears
        Disc(b, s * 0.5 + r * 0.8, s * 0.5 - r * 0.9, r * 0.35, r * 0.55, hair);
    } else {
        Disc(b, s * 0.5, s * 0.5 - r * 0.25, r * 1.08, r * 1.0, hair);  // hair behind the face
    }
    Disc(b, s * 0.5, s * 0.55, r, r * 1.1, skin);
    const Pixel white = Pixel::Rgb(250, 250, 250);
    for (double side_x : {-0.38, 0.38}) {
        Disc(b, s * 0.5 + side_x * r, s * 0.48, r * 0.16, r * 0.12, white);
        Disc(b, s * 0.5 + side_x * r, s * 0.48, r * 0.08, r * 0.08, eye);
    }
    if (sim.Species != 0) Disc(b, s * 0.5, s * 0.66, r * 0.16, r * 0.11, Pixel::Rgb(40, 30, 30));
    const Pixel mouth = Pixel::Rgb(150, 50, 60);
    for (int i = -6; i <= 6; ++i) {  // a smile
        const double t = i / 6.0;
        const int x = static_cast<int>(s * 0.5 + t * r * 0.45);
        const int y = static_cast<int>(s * 0.55 + r * 0.45 + (1.0 - t * t) * r * 0.12);
        if (x >= 0 && x < side && y >= 0 && y < side) b.SetPixel(x, y, mouth);
    }
    return EncodeJpeg(b, 85);
}

Bytes DemoNeighborhoodPng(std::string_view name, int width, int height) {
    const std::uint32_t h = Hash(name);
    Bitmap b(width, height);
    const double phase = (h % 628) / 100.0;
    for (int y = 0; y < height; ++y) {
        auto row = b.Row(y);
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            const double hill = 0.45 + 0.08 * std::sin(u * 9.0 + phase) + 0.05 * std::sin(u * 23.0);
            const double river = 0.75 + 0.1 * std::sin(u * 5.0 + phase * 2);
            Pixel p;
            if (v < hill)
                p = Pixel::Rgb(static_cast<std::uint8_t>(150 + 80 * v),
                               static_cast<std::uint8_t>(190 + 60 * v), 240);
            else if (std::abs(v - river) < 0.04)
                p = Pixel::Rgb(70, 120, 190);
            else
                p = Pixel::Rgb(static_cast<std::uint8_t>(60 + (h >> 8) % 40 + 50 * (v - hill)),
                               static_cast<std::uint8_t>(130 + 40 * std::sin(u * 40.0) * (1 - v)),
                               70);
            const auto i = static_cast<std::size_t>(x) * 3;
            row[i] = p.blue;
            row[i + 1] = p.green;
            row[i + 2] = p.red;
        }
    }
    return EncodePng(b);
}

}  // namespace kinloom
