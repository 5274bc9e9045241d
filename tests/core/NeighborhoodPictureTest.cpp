#include <gtest/gtest.h>

#include "BmpVariants.h"
#include "PackageBuilder.h"
#include "core/maintenance/NeighborhoodPicture.h"
#include "core/pictures/Bmp.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {

// A BMP file: bits 24 (pixels as given), 8 (palette of the distinct pixels) or 1 (black/white).
Bytes BmpBytes(int width, int height, int bits, bool topDown, const std::vector<Pixel>& pixels) {
    std::vector<Pixel> palette;
    if (bits == 1) palette = {Pixel::Rgb(0, 0, 0), Pixel::Rgb(255, 255, 255)};
    if (bits == 8)
        for (const Pixel& p : pixels)
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size() * 4);
    Bytes out{'B', 'M'};
    AppendU32(out, offset + static_cast<std::uint32_t>(rowBytes * height));
    AppendU32(out, 0);
    AppendU32(out, offset);
    AppendU32(out, 40);
    AppendU32(out, static_cast<std::uint32_t>(width));
    AppendU32(out, static_cast<std::uint32_t>(topDown ? -height : height));
    AppendU16(out, 1);
    AppendU16(out, static_cast<std::uint16_t>(bits));
    AppendU32(out, 0);
    for (int i = 0; i < 3; ++i) AppendU32(out, 0);
    AppendU32(out, static_cast<std::uint32_t>(palette.size()));
    AppendU32(out, 0);
    for (const Pixel& p : palette) out.insert(out.end(), {p.blue, p.green, p.red, 0});
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        Bytes line(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const Pixel& p = pixels[static_cast<std::size_t>(y * width + x)];
            if (bits == 24) {
                line[3 * static_cast<std::size_t>(x)] = p.blue;
                line[3 * static_cast<std::size_t>(x) + 1] = p.green;
                line[3 * static_cast<std::size_t>(x) + 2] = p.red;
            } else if (bits == 8) {
                line[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(
                    std::find(palette.begin(), palette.end(), p) - palette.begin());
            } else if (p.red) {
                line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

std::vector<Pixel> Pattern(int width, int height) {
    std::vector<Pixel> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back((x + y) % 3 == 0 ? Pixel::Rgb(255, 255, 255) : Pixel::Rgb(0, 0, 0));
    return pixels;
}

TEST(BmpTest, DecodesTheUncompressedForms) {
    const int w = 5, h = 3;
    const auto pixels = Pattern(w, h);
    for (int bits : {1, 8, 24}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " top-down" : " bottom-up"));
            Bitmap b = DecodeAnyPicture(BmpBytes(w, h, bits, topDown, pixels));
            ASSERT_EQ(b.Width(), w);
            ASSERT_EQ(b.Height(), h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    EXPECT_EQ(b.PixelAt(x, y), pixels[static_cast<std::size_t>(y * w + x)]);
        }
    }
}

TEST(BmpTest, DamagedFilesAreErrorsNotCrashes) {
    const Bytes good = BmpBytes(7, 4, 8, false, Pattern(7, 4));
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        Bytes shortened(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_THROW(DecodeBmp(shortened), ImageError) << cut;
    }
    Bytes huge = good;
    test::SetU32(huge, 18, 100000);
    EXPECT_THROW(DecodeBmp(huge), ImageError);
    Bytes compressed = good;
    test::SetU32(compressed, 30, 1);
    EXPECT_THROW(DecodeBmp(compressed), ImageError);
    Bytes badIndex = BmpBytes(2, 1, 8, true, {Pixel::Rgb(1, 2, 3), Pixel::Rgb(1, 2, 3)});
    badIndex.back() = 0;
    badIndex[badIndex.size() - 4] = 9;  // a palette of one colour, index 9
    EXPECT_THROW(DecodeBmp(badIndex), ImageError);
}

TEST(BmpTest, DecodesEveryFormWindowsProgramsWrite) {
    for (const test::BmpVariant& v : test::BmpVariants()) {
        SCOPED_TRACE(v.Name);
        const Bitmap b = DecodeAnyPicture(v.File);
        ASSERT_EQ(b.Width(), test::kVariantWidth);
        ASSERT_EQ(b.Height(), test::kVariantHeight);
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                EXPECT_EQ(b.PixelAt(x, y), v.Expected[static_cast<std::size_t>(y * b.Width() + x)])
                    << x << "," << y;
        // Cut anywhere, it is an error, never a crash or a picture made up of what is missing.
        for (std::size_t cut = 0; cut < v.File.size(); ++cut)
            EXPECT_THROW(DecodeBmp(ByteView(v.File).first(cut)), ImageError) << cut;
    }
}

TEST(BmpTest, RefusesWhatNoBmpWriterProduces) {
    const std::vector<Pixel> two = {Pixel::Rgb(1, 2, 3), Pixel::Rgb(4, 5, 6)};
    struct Case {
        const char* name;
        test::BmpLayout layout;
    };
    const Case cases[] = {
        {"RLE8 without the size of its pixels", {40, 2, 1, 8, 1, two, {}, {2, 1, 0, 1}, false}},
        {"RLE8 on 4-bit pixels", {40, 2, 1, 4, 1, two, {}, {2, 1, 0, 1}, true}},
        {"RLE4 on 8-bit pixels", {40, 2, 1, 8, 2, two, {}, {2, 0x11, 0, 1}, true}},
        {"a run of a colour outside the palette", {40, 2, 1, 8, 1, two, {}, {2, 7, 0, 1}, true}},
        {"pixels given one by one outside the palette",
         {40, 3, 1, 8, 1, two, {}, {0, 3, 0, 1, 5, 0, 0, 1}, true}},
        {"a colour mask with gaps",
         {40,
          1,
          1,
          16,
          3,
          {},
          std::array<std::uint32_t, 3>{0xF0F0, 0x0F00, 0x000F},
          {0, 0, 0, 0},
          true}},
        {"colour masks on 24-bit pixels",
         {40,
          1,
          1,
          24,
          3,
          {},
          std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF},
          {0, 0, 0, 0},
          true}},
        {"JPEG inside a BMP", {40, 1, 1, 24, 4, {}, {}, {0, 0, 0, 0}, true}},
        {"RLE data running past the file", {40, 2, 1, 8, 1, two, {}, {}, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = test::BmpFile(c.layout);
        if (c.layout.Pixels.empty()) test::SetU32(file, 34, 64);  // claims more than there is
        EXPECT_THROW(DecodeBmp(file), ImageError);
    }
}

class NeighborhoodPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        n.FolderName = "N001";
        n.PackagePath = dir / "N001_Neighborhood.package";
        ReplaceFileAtomically(NeighborhoodPictureFile(n),
                              EncodePng(Bitmap(400, 300, Pixel::Rgb(9, 9, 9))));
    }
    test::TempDir dir;
    Neighborhood n;
};

TEST_F(NeighborhoodPictureTest, PicturesAreStoredToFitTheGamesFrame) {
    struct Case {
        const char* name;
        int width, height, storedWidth, storedHeight;
        bool jpeg;
    };
    const Case cases[] = {
        {"small enough already", 300, 200, 300, 200, false},
        {"four times too large", 1600, 1200, 400, 300, true},
        {"wide, as the game fits it", 800, 200, 266, 200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap source(c.width, c.height, Pixel::Rgb(200, 100, 50));
        const auto chosen = dir / (c.jpeg ? "chosen.png" : "chosen.jpg");  // names do not decide
        ReplaceFileAtomically(chosen, c.jpeg ? EncodeJpeg(source) : EncodePng(source));
        ASSERT_EQ(ReplaceNeighborhoodPicture(chosen, NeighborhoodPictureFile(n)), std::nullopt);
        Bitmap stored = DecodePng(ReadWholeFile(NeighborhoodPictureFile(n)));
        EXPECT_EQ(stored.Width(), c.storedWidth);
        EXPECT_EQ(stored.Height(), c.storedHeight);
    }
    ReplaceFileAtomically(
        dir / "chosen.bmp",
        BmpBytes(40, 30, 24, false, std::vector<Pixel>(1200, Pixel::Rgb(1, 2, 3))));
    EXPECT_EQ(ReplaceNeighborhoodPicture(dir / "chosen.bmp", NeighborhoodPictureFile(n)),
              std::nullopt);
    EXPECT_EQ(DecodePng(ReadWholeFile(NeighborhoodPictureFile(n))).PixelAt(10, 10),
              Pixel::Rgb(1, 2, 3));
}

TEST_F(NeighborhoodPictureTest, AnUnreadablePictureLeavesTheOldOne) {
    const Bytes before = ReadWholeFile(NeighborhoodPictureFile(n));
    ReplaceFileAtomically(dir / "broken.png", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
    std::filesystem::create_directory(dir / "folder.png");
    for (const char* chosen : {"broken.png", "missing.png", "folder.png"}) {
        SCOPED_TRACE(chosen);
        auto error = ReplaceNeighborhoodPicture(dir / chosen, NeighborhoodPictureFile(n));
        ASSERT_TRUE(error.has_value());
        EXPECT_FALSE(error->empty());
        EXPECT_EQ(ReadWholeFile(NeighborhoodPictureFile(n)), before);
    }
}

}  // namespace
}  // namespace kinloom
