#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "PackageBuilder.h"
#include "core/pictures/Bitmap.h"
#include "core/pictures/MakeThumb.h"

namespace kinloom {
namespace {

Bitmap Noise(int width, int height, std::uint32_t seed) {
    Bitmap b(width, height);
    const Bytes noise = test::NoiseBytes(b.PixelBytes().size(), seed);
    std::copy(noise.begin(), noise.end(), b.PixelBytes().begin());
    return b;
}

Bitmap Uniform(int width, int height, std::uint8_t v) {
    return Bitmap(width, height, {v, v, v});
}

// Every pixel of the picture equals p; reports the first that does not.
::testing::AssertionResult AllPixels(const Bitmap& b, Pixel p) {
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            const Pixel q = b.PixelAt(x, y);
            if (q != p) {
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << int(q.blue) << "/" << int(q.green)
                       << "/" << int(q.red);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(BitmapTest, HoldsBlueGreenRedRowsTopDown) {
    Bitmap b(3, 2);
    EXPECT_TRUE(AllPixels(b, Pixel{0, 0, 0})) << "a new picture is black";
    b.SetPixel(1, 1, Pixel::Rgb(10, 20, 30));
    EXPECT_EQ(b.Stride(), 9u);
    EXPECT_EQ(b.Row(1)[3], 30) << "blue comes first";
    EXPECT_EQ(b.Row(1)[5], 10) << "red comes last";
    EXPECT_EQ(b.PixelBytes()[9 + 3], 30) << "rows are packed without padding";
    EXPECT_THROW(b.PixelAt(3, 0), std::out_of_range);
    EXPECT_THROW(b.Row(2), std::out_of_range);
    EXPECT_THROW(Bitmap(-1, 5), std::invalid_argument);
}

TEST(GrayscaleBitmapTest, WeighsRedGreenAndBlue) {
    struct Case {
        Pixel in;
        std::uint8_t grey;
    };
    const Case cases[] = {
        {Pixel::Rgb(255, 0, 0), 76}, {Pixel::Rgb(0, 255, 0), 150},
        {Pixel::Rgb(0, 0, 255), 27}, {Pixel::Rgb(255, 255, 255), 255},
        {Pixel::Rgb(0, 0, 0), 0},    {Pixel::Rgb(10, 20, 30), 18},
        {Pixel::Rgb(1, 1, 1), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << int(c.in.red) << "," << int(c.in.green) << "," << int(c.in.blue));
        Bitmap b(2, 3, c.in);
        GrayscaleBitmap(b);
        EXPECT_TRUE(AllPixels(b, Pixel{c.grey, c.grey, c.grey}));
    }
}

TEST(MakeThumbTest, PicturesThatFitAreCopiedUnchanged) {
    const Bitmap source = Noise(100, 100, 1);
    Bitmap target = Uniform(7, 7, 1);
    MakeThumb(source, target, 128);
    EXPECT_EQ(target, source) << "not resized, not sharpened";
    MakeThumb(source, target, 100);
    EXPECT_EQ(target, source) << "exactly the size is still a fit";

    const Bitmap landscape = Noise(300, 200, 2);
    MakeThumbFit(landscape, target, 400, 300);
    EXPECT_EQ(target, landscape);
    const Bitmap full = Noise(400, 300, 3);
    MakeThumbFit(full, target, 400, 300);
    EXPECT_EQ(target, full);
}

// Averages truncate: k = 65535 div (w·h) makes a uniform block of v come out as v - 1.
TEST(MakeThumbTest, UniformPicturesComeOutOneDarker) {
    struct Case {
        int size;
        int side;
        std::uint8_t in;
        std::uint8_t out;
    };
    const Case cases[] = {
        {200, 64, 100, 99},  // spans of 3 and 4 columns; sharpening keeps uniform areas
        {200, 64, 255, 254}, {200, 64, 1, 0},
        {200, 64, 0, 0},     {128, 64, 128, 127},  // exact 2 × 2 blocks
        {128, 32, 100, 99},                        // 4 × 4 blocks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size << " to " << c.side << ", value " << int(c.in));
        Bitmap target;
        MakeThumb(Uniform(c.size, c.size, c.in), target, c.side);
        ASSERT_EQ(target.Width(), c.side);
        ASSERT_EQ(target.Height(), c.side);
        EXPECT_TRUE(AllPixels(target, Pixel{c.out, c.out, c.out}));
    }
}

// A 4 × 4 source reduced to 2 × 2: exact 2 × 2 blocks, k = 16383, and a target of height 2 is
// not sharpened, so the averages show as they are.
TEST(MakeThumbTest, AveragesTwoByTwoBlocksWithTruncatingFixedPoint) {
    Bitmap source(4, 4);
    auto block = [&](int bx, int by, std::array<Pixel, 4> px) {
        source.SetPixel(bx * 2, by * 2, px[0]);
        source.SetPixel(bx * 2 + 1, by * 2, px[1]);
        source.SetPixel(bx * 2, by * 2 + 1, px[2]);
        source.SetPixel(bx * 2 + 1, by * 2 + 1, px[3]);
    };
    // An honest average of 10, 20, 30 and 40 would be 25.
    block(0, 0, {Pixel{10, 0, 255}, Pixel{20, 0, 255}, Pixel{30, 0, 255}, Pixel{40, 0, 255}});
    block(1, 0, {Pixel{0, 1, 4}, Pixel{0, 1, 4}, Pixel{0, 1, 4}, Pixel{1, 1, 4}});
    block(0, 1, {Pixel{3, 200, 0}, Pixel{2, 201, 0}, Pixel{1, 202, 0}, Pixel{0, 203, 0}});
    block(1, 1,
          {Pixel{255, 255, 255}, Pixel{255, 255, 255}, Pixel{255, 255, 255}, Pixel{255, 255, 255}});
    Bitmap target;
    MakeThumb(source, target, 2);
    ASSERT_EQ(target.Width(), 2);
    ASSERT_EQ(target.Height(), 2);
    EXPECT_EQ(target.PixelAt(0, 0), (Pixel{24, 0, 254}));
    EXPECT_EQ(target.PixelAt(1, 0), (Pixel{0, 0, 3}));
    EXPECT_EQ(target.PixelAt(0, 1), (Pixel{1, 201, 0}));
    EXPECT_EQ(target.PixelAt(1, 1), (Pixel{254, 254, 254}));
}

// Span i covers source columns trunc(i·f) .. trunc((i+1)·f) - 1 with f = 3.125: seven spans of
// three columns, then one of four.
TEST(MakeThumbTest, SpansFollowTheTruncatedScaleFactor) {
    Bitmap source(200, 2);
    for (int x = 0; x < 200; ++x) {
        const auto v = static_cast<std::uint8_t>(10 * x);
        source.SetPixel(x, 0, Pixel{v, 0, 0});
        source.SetPixel(x, 1, Pixel{v, 0, 0});
    }
    Bitmap target;
    MakeThumbFit(source, target, 64, 2);
    ASSERT_EQ(target.Width(), 64);
    ASSERT_EQ(target.Height(), 2);
    const std::uint8_t expected[] = {9, 39, 69, 99, 129, 159, 189, 224};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(target.PixelAt(i, 0).blue, expected[i]);
        EXPECT_EQ(target.PixelAt(i, 1).blue, expected[i]);
    }
}

// Blocks are averaged to v - 1 first (source blocks of v + 1). Blue: the row above is already
// sharpened when the next row is; red: results are clamped at both ends; green: uniform stays.
TEST(MakeThumbTest, SharpensTopToBottomInPlaceAndClamps) {
    // Averaged values, before sharpening, per channel.
    const int blue[4][4] = {{0, 0, 0, 0}, {0, 0, 40, 0}, {0, 80, 0, 0}, {0, 0, 0, 0}};
    const int red[4][4] = {{0, 0, 0, 0}, {0, 200, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    Bitmap source(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            auto up = [](int v) { return static_cast<std::uint8_t>(v == 0 ? 0 : v + 1); };
            source.SetPixel(x, y, Pixel{up(blue[y / 2][x / 2]), 51, up(red[y / 2][x / 2])});
        }
    }
    Bitmap target;
    MakeThumb(source, target, 4);
    ASSERT_EQ(target.Width(), 4);
    ASSERT_EQ(target.Height(), 4);

    // (2,1): (12·40 - 80) / 8 = 50. (1,2) then sees the sharpened 50 above it:
    // (12·80 - 50) / 8 = 113.75 -> 113 (115 if the row above were taken unsharpened).
    const int blueOut[4][4] = {{0, 0, 0, 0}, {0, 0, 50, 0}, {0, 113, 0, 0}, {0, 0, 0, 0}};
    // (1,1): 12·200 / 8 = 300 -> 255; (2,2): -255 / 8 -> 0.
    const int redOut[4][4] = {{0, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            SCOPED_TRACE(::testing::Message() << x << "," << y);
            const Pixel p = target.PixelAt(x, y);
            EXPECT_EQ(p.blue, blueOut[y][x]);
            EXPECT_EQ(p.green, 50);
            EXPECT_EQ(p.red, redOut[y][x]);
        }
    }
}

TEST(MakeThumbTest, SourceSmallerInOneDirectionGetsBlackRows) {
    // 100 × 50 drawn at 64: rows are stretched, so some target rows have no source row.
    Bitmap target;
    MakeThumb(Uniform(100, 50, 200), target, 64);
    ASSERT_EQ(target.Width(), 64);
    ASSERT_EQ(target.Height(), 64);
    EXPECT_EQ(target.PixelAt(0, 0), (Pixel{0, 0, 0})) << "row 0 has no source row";
    EXPECT_EQ(target.PixelAt(0, 1), (Pixel{199, 199, 199})) << "row 1 averages source row 0";
    EXPECT_EQ(target.PixelAt(63, 63), (Pixel{199, 199, 199}));
}

TEST(MakeThumbTest, HugeBlocksAreAveragedNotBlackened) {
    // 300 × 300 blocks hold more than 65535 pixels, where the fixed-point factor would be 0.
    Bitmap target;
    MakeThumb(Uniform(600, 600, 100), target, 2);
    EXPECT_TRUE(AllPixels(target, Pixel{100, 100, 100}));
}

TEST(MakeThumbTest, TargetMayBeTheSource) {
    const Bitmap source = Noise(90, 70, 4);
    Bitmap expected;
    MakeThumb(source, expected, 32);
    Bitmap same = source;
    MakeThumb(same, same, 32);
    EXPECT_EQ(same, expected);
    Bitmap fitted;
    MakeThumbFit(source, fitted, 40, 30);
    same = source;
    MakeThumbFit(same, same, 40, 30);
    EXPECT_EQ(same, fitted);
}

TEST(MakeThumbFitTest, ShrinksTheBoxByItsOwnProportions) {
    struct Case {
        int sw, sh, w, h;
        int outW, outH;
    };
    const Case cases[] = {
        {1600, 1200, 400, 300, 400, 300},
        // 300 · (float)(2/3) is just above 200: the 32-bit factor decides the height.
        {800, 200, 400, 300, 266, 200},
        {200, 600, 400, 300, 200, 150},  // narrower than the box: both shrink by 0.5
        {401, 300, 400, 300, 400, 300},
        {1000, 10, 400, 300, 13, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sw << "x" << c.sh << " into " << c.w << "x" << c.h);
        Bitmap target;
        MakeThumbFit(Uniform(c.sw, c.sh, 100), target, c.w, c.h);
        EXPECT_EQ(target.Width(), c.outW);
        EXPECT_EQ(target.Height(), c.outH);
    }
}

TEST(MakeThumbFitTest, FourByFourBlocksOfAPhoto) {
    Bitmap source(1600, 1200);
    for (int y = 0; y < 1200; ++y) {
        for (int x = 0; x < 1600; ++x) {
            // A vertical edge between blocks: left half dark, right half light.
            source.SetPixel(x, y, x < 800 ? Pixel{41, 41, 41} : Pixel{201, 201, 201});
        }
    }
    Bitmap target;
    MakeThumbFit(source, target, 400, 300);
    ASSERT_EQ(target.Width(), 400);
    ASSERT_EQ(target.Height(), 300);
    EXPECT_EQ(target.PixelAt(0, 0).red, 40);
    EXPECT_EQ(target.PixelAt(0, 150).red, 40) << "the outer columns are not sharpened";
    // Next to the edge the sharpening overshoots. Row 1 sees row 0 as averaged:
    // (12·40 - 2·40 - 2·200) / 8 = 0 and (12·200 - 2·40 - 2·200) / 8 = 240.
    struct Expected {
        int x, y, red;
    };
    const Expected cases[] = {
        {198, 1, 40},
        {199, 1, 0},
        {200, 1, 240},
        {201, 1, 200},
        // Row 2 sees row 1 already sharpened: (12·40 - 40 - 0 - 40 - 40) / 8 = 45, and so on.
        {198, 2, 45},
        {199, 2, 0},
        {200, 2, 245},
        {201, 2, 195},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(::testing::Message() << e.x << "," << e.y);
        EXPECT_EQ(target.PixelAt(e.x, e.y).red, e.red);
    }
    EXPECT_EQ(target.PixelAt(399, 299).red, 200);
}

TEST(MakeThumbTest, DegenerateSizesGiveEmptyPictures) {
    const Bitmap source = Noise(50, 40, 5);
    Bitmap target = Uniform(3, 3, 9);
    MakeThumb(source, target, 0);
    EXPECT_TRUE(target.Empty());
    target = Uniform(3, 3, 9);
    MakeThumb(source, target, -4);
    EXPECT_TRUE(target.Empty());
    target = Uniform(3, 3, 9);
    MakeThumb(Bitmap(), target, 32);
    EXPECT_TRUE(target.Empty());
    target = Uniform(3, 3, 9);
    // The box shrinks by 1/300 to 0 × 1: nothing is left to draw into.
    MakeThumbFit(Uniform(1000, 1, 7), target, 1, 300);
    EXPECT_TRUE(target.Empty());
    target = Uniform(3, 3, 9);
    MakeThumbFit(source, target, 0, 10);
    EXPECT_TRUE(target.Empty());
}

}  // namespace
}  // namespace kinloom
