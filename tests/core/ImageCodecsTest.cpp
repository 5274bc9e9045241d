#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>

#include "PackageBuilder.h"
#include "core/pictures/ImageCodecs.h"

namespace kinloom {
namespace {

// ---- fixtures made without the program's own encoders ------------------------------------------

void AppendBe32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void AppendChunk(Bytes& png, const char* type, const Bytes& data) {
    AppendBe32(png, static_cast<std::uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    AppendBe32(png,
               static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

struct PngChunk {
    const char* type;
    Bytes data;
};

// A PNG written chunk by chunk: rows are given without their filter byte (filter 0 is added).
Bytes MakePng(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colorType,
              const std::vector<Bytes>& rows, const std::vector<PngChunk>& beforeData = {}) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    AppendBe32(ihdr, width);
    AppendBe32(ihdr, height);
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, 0});
    AppendChunk(png, "IHDR", ihdr);
    for (const PngChunk& c : beforeData) AppendChunk(png, c.type, c.data);
    if (!rows.empty()) {
        Bytes raw;
        for (const Bytes& row : rows) {
            raw.push_back(0);
            raw.insert(raw.end(), row.begin(), row.end());
        }
        uLongf size = compressBound(static_cast<uLong>(raw.size()));
        Bytes packed(size);
        EXPECT_EQ(compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
        packed.resize(size);
        AppendChunk(png, "IDAT", packed);
    }
    AppendChunk(png, "IEND", {});
    return png;
}

// A JPEG written straight through libjpeg, for colour spaces the program never writes.
Bytes LibjpegEncode(J_COLOR_SPACE space, int components, int width, int height,
                    const Bytes& samples, bool adobeMarker) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    cinfo.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    const auto stride = static_cast<std::size_t>(width * components);
    Bytes row(stride);
    while (cinfo.next_scanline < cinfo.image_height) {
        std::memcpy(row.data(), samples.data() + cinfo.next_scanline * stride, stride);
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

Bytes Repeat(const Bytes& sample, int count) {
    Bytes out;
    for (int i = 0; i < count; ++i) out.insert(out.end(), sample.begin(), sample.end());
    return out;
}

Bitmap Noise(int width, int height, std::uint32_t seed) {
    Bitmap b(width, height);
    const Bytes noise = test::NoiseBytes(b.PixelBytes().size(), seed);
    std::copy(noise.begin(), noise.end(), b.PixelBytes().begin());
    return b;
}

// Blocks of pure colours, so a lossy round trip has little to lose.
Bitmap ColourBlocks() {
    Bitmap b(32, 16);
    const Pixel colours[] = {Pixel::Rgb(255, 0, 0), Pixel::Rgb(0, 255, 0), Pixel::Rgb(0, 0, 255),
                             Pixel::Rgb(250, 250, 250)};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) b.SetPixel(x, y, colours[x / 8]);
    }
    return b;
}

::testing::AssertionResult Near(Pixel actual, Pixel expected, int tolerance) {
    auto off = [&](std::uint8_t a, std::uint8_t e) {
        return std::abs(int(a) - int(e)) > tolerance;
    };
    if (off(actual.red, expected.red) || off(actual.green, expected.green) ||
        off(actual.blue, expected.blue)) {
        return ::testing::AssertionFailure()
               << "got r" << int(actual.red) << " g" << int(actual.green) << " b"
               << int(actual.blue) << ", expected r" << int(expected.red) << " g"
               << int(expected.green) << " b" << int(expected.blue);
    }
    return ::testing::AssertionSuccess();
}

std::string ErrorText(const std::function<void()>& f) {
    try {
        f();
    } catch (const ImageError& e) {
        return e.what();
    }
    return "(no ImageError)";
}

// ---- tests --------------------------------------------------------------------------------------

TEST(ImageCodecsTest, RecognisesPicturesBySignature) {
    const Bytes png = EncodePng(Bitmap(2, 2));
    const Bytes jpeg = EncodeJpeg(Bitmap(2, 2));
    EXPECT_EQ(DetectImageFormat(png), ImageFormat::Png);
    EXPECT_EQ(DetectImageFormat(jpeg), ImageFormat::Jpeg);
    EXPECT_EQ(DetectImageFormat(Bytes(png.begin(), png.begin() + 7)), ImageFormat::Unknown);
    EXPECT_EQ(DetectImageFormat(Bytes{0xFF, 0xD8}), ImageFormat::Unknown);
    EXPECT_EQ(DetectImageFormat(test::Text("BM6")), ImageFormat::Unknown);
    EXPECT_EQ(DetectImageFormat(Bytes{}), ImageFormat::Unknown);

    EXPECT_EQ(DecodeImage(png), Bitmap(2, 2));
    EXPECT_EQ(DecodeImage(jpeg).Width(), 2);
    EXPECT_NE(ErrorText([] { DecodeImage(test::Text("BM not supported")); }).find("neither"),
              std::string::npos);
}

TEST(ImageCodecsTest, PngLayoutsDecodeToBlueGreenRed) {
    const Pixel white = Pixel::Rgb(255, 255, 255);
    struct Case {
        const char* name;
        Bytes png;
        Pixel first, second;
    };
    const Case cases[] = {
        {"rgb", MakePng(2, 1, 8, 2, {{255, 0, 0, 0, 255, 0}}), Pixel::Rgb(255, 0, 0),
         Pixel::Rgb(0, 255, 0)},
        {"grey", MakePng(2, 1, 8, 0, {{77, 200}}), Pixel{77, 77, 77}, Pixel{200, 200, 200}},
        {"grey 1 bit", MakePng(2, 1, 1, 0, {{0x80}}), white, Pixel{}},
        {"palette", MakePng(2, 1, 8, 3, {{1, 0}}, {{"PLTE", {10, 20, 30, 200, 100, 50}}}),
         Pixel::Rgb(200, 100, 50), Pixel::Rgb(10, 20, 30)},
        {"palette with transparency",
         MakePng(2, 1, 8, 3, {{0, 1}}, {{"PLTE", {10, 20, 30, 200, 100, 50}}, {"tRNS", {0}}}),
         white, Pixel::Rgb(200, 100, 50)},
        {"rgba over white", MakePng(2, 1, 8, 6, {{255, 0, 0, 0, 0, 0, 255, 255}}), white,
         Pixel::Rgb(0, 0, 255)},
        {"grey and alpha", MakePng(2, 1, 8, 4, {{100, 255, 50, 0}}), Pixel{100, 100, 100}, white},
        {"16 bit", MakePng(2, 1, 16, 2, {{0xFF, 0xFF, 0, 0, 0x12, 0x34, 0, 0, 0, 0, 0xFF, 0xFF}}),
         Pixel::Rgb(255, 0, 0x12), Pixel::Rgb(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap b;
        ASSERT_NO_THROW(b = DecodePng(c.png)) << ErrorText([&] { DecodePng(c.png); });
        ASSERT_EQ(b.Width(), 2);
        ASSERT_EQ(b.Height(), 1);
        EXPECT_EQ(b.PixelAt(0, 0), c.first);
        EXPECT_EQ(b.PixelAt(1, 0), c.second);
    }
}

TEST(ImageCodecsTest, PngRoundTripIsExact) {
    for (const Bitmap& original : {Noise(37, 23, 1), Noise(1, 1, 2), Noise(400, 300, 3)}) {
        SCOPED_TRACE(::testing::Message() << original.Width() << "x" << original.Height());
        const Bytes png = EncodePng(original);
        EXPECT_EQ(DecodePng(png), original);
    }
    // The pixel order in the file is red, green, blue: an independent decoder's view.
    Bitmap one(1, 1, Pixel::Rgb(1, 2, 3));
    const Bytes png = EncodePng(one);
    EXPECT_EQ(DecodePng(MakePng(1, 1, 8, 2, {{1, 2, 3}})), one);
    EXPECT_EQ(DecodePng(png), one);
}

TEST(ImageCodecsTest, JpegRoundTripKeepsColours) {
    const Bitmap original = ColourBlocks();
    for (int quality : {95, 60}) {
        SCOPED_TRACE(quality);
        const Bitmap back = DecodeJpeg(EncodeJpeg(original, quality));
        ASSERT_EQ(back.Width(), original.Width());
        ASSERT_EQ(back.Height(), original.Height());
        for (int x : {2, 11, 20, 29}) {
            SCOPED_TRACE(x);
            EXPECT_TRUE(Near(back.PixelAt(x, 8), original.PixelAt(x, 8), 12));
        }
    }
}

TEST(ImageCodecsTest, JpegColourSpacesDecodeToBlueGreenRed) {
    const Pixel red = Pixel::Rgb(255, 0, 0);
    struct Case {
        const char* name;
        J_COLOR_SPACE space;
        int components;
        Bytes sample;
        bool adobe;
        Pixel expected;
    };
    const Case cases[] = {
        {"rgb", JCS_RGB, 3, {255, 0, 0}, false, red},
        {"grey", JCS_GRAYSCALE, 1, {90}, false, Pixel{90, 90, 90}},
        // Adobe's CMYK stores the inks inverted: 255 is no ink.
        {"adobe cmyk red", JCS_CMYK, 4, {255, 0, 0, 255}, true, red},
        {"adobe cmyk white", JCS_CMYK, 4, {255, 255, 255, 255}, true, Pixel::Rgb(255, 255, 255)},
        {"plain cmyk red", JCS_CMYK, 4, {0, 255, 255, 0}, false, red},
        {"plain cmyk black", JCS_CMYK, 4, {0, 0, 0, 255}, false, Pixel{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes jpeg =
            LibjpegEncode(c.space, c.components, 16, 8, Repeat(c.sample, 16 * 8), c.adobe);
        Bitmap b;
        ASSERT_NO_THROW(b = DecodeJpeg(jpeg)) << ErrorText([&] { DecodeJpeg(jpeg); });
        ASSERT_EQ(b.Width(), 16);
        ASSERT_EQ(b.Height(), 8);
        EXPECT_TRUE(Near(b.PixelAt(5, 4), c.expected, 3));
    }
}

TEST(ImageCodecsTest, DamagedPicturesAreReportedWithTheCodecsMessage) {
    const Bytes png = EncodePng(Noise(8, 8, 4));
    const Bytes jpeg = EncodeJpeg(Noise(8, 8, 5));
    Bytes badCrc = png;
    badCrc[29] ^= 0xFF;  // inside the IHDR checksum
    struct Case {
        const char* name;
        std::function<Bitmap()> decode;
        const char* messageHas;
    };
    const Case cases[] = {
        {"empty PNG", [] { return DecodePng(Bytes{}); }, "PNG picture: "},
        {"empty JPEG", [] { return DecodeJpeg(Bytes{}); }, "JPEG picture: "},
        {"noise as PNG", [] { return DecodePng(test::NoiseBytes(500, 6)); }, "PNG picture: "},
        {"JPEG as PNG", [&] { return DecodePng(jpeg); }, "PNG picture: "},
        {"PNG as JPEG", [&] { return DecodeJpeg(png); }, "Not a JPEG file"},
        {"noise after the JPEG start",
         [] {
             Bytes b{0xFF, 0xD8, 0xFF};
             const Bytes tail = test::NoiseBytes(300, 7);
             b.insert(b.end(), tail.begin(), tail.end());
             return DecodeJpeg(b);
         },
         "JPEG picture: "},
        {"PNG with a bad checksum", [&] { return DecodePng(badCrc); }, "PNG picture: "},
        {"PNG header only", [] { return DecodePng(MakePng(4, 4, 8, 2, {})); }, "PNG picture: "},
        {"PNG with bad bit depth",
         [] {
             return DecodePng(MakePng(1, 1, 7, 2, {{1, 2, 3}}));
         },
         "PNG picture: "},
        {"PNG with missing rows",
         [] {
             return DecodePng(MakePng(2, 3, 8, 0, {{1, 2}}));
         },
         "PNG picture: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = ErrorText([&] { c.decode(); });
        EXPECT_NE(text.find(c.messageHas), std::string::npos) << text;
        EXPECT_GT(text.size(), std::strlen(c.messageHas)) << "the codec says what is wrong";
    }
}

// Cutting a picture short at any byte is reported, or gives the whole picture when every pixel is
// there (a PNG missing only its end chunk; a JPEG, whose missing rows libjpeg fills); it never
// crashes or returns a picture of another size.
TEST(ImageCodecsTest, PicturesCutShortAtEveryByte) {
    const Bitmap picture = Noise(9, 7, 8);
    const Bytes png = EncodePng(picture);
    const std::size_t endChunk = png.size() - 12;
    for (std::size_t cut = 0; cut < png.size(); ++cut) {
        SCOPED_TRACE(cut);
        if (cut < endChunk) {
            EXPECT_THROW(DecodePng(ByteView(png).first(cut)), ImageError);
        } else {
            EXPECT_EQ(DecodePng(ByteView(png).first(cut)), picture);
        }
    }
    const Bytes jpeg = EncodeJpeg(Noise(9, 7, 9));
    int reported = 0;
    for (std::size_t cut = 0; cut < jpeg.size(); ++cut) {
        SCOPED_TRACE(cut);
        try {
            const Bitmap b = DecodeJpeg(ByteView(jpeg).first(cut));
            EXPECT_EQ(b.Width(), 9);
            EXPECT_EQ(b.Height(), 7);
        } catch (const ImageError&) {
            ++reported;
        }
    }
    EXPECT_GT(reported, 0) << "a JPEG cut inside its header cannot be read";
}

void SetBe16(Bytes& b, std::size_t at, std::uint16_t v) {
    b.at(at) = static_cast<std::uint8_t>(v >> 8);
    b.at(at + 1) = static_cast<std::uint8_t>(v);
}

// The frame header's size fields: FF C0, length, precision, height, width.
Bytes JpegWithSize(Bytes jpeg, std::uint16_t width, std::uint16_t height) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            SetBe16(jpeg, i + 5, height);
            SetBe16(jpeg, i + 7, width);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

TEST(ImageCodecsTest, OversizedPicturesAreRefusedBeforeDecoding) {
    // Headers that announce ten billion pixels and carry almost nothing.
    const Bytes hugePng = MakePng(100000, 100000, 8, 2, {{1, 2, 3}});
    EXPECT_NE(ErrorText([&] { DecodePng(hugePng); }).find("too large"), std::string::npos);
    const Bytes hugeJpeg = JpegWithSize(EncodeJpeg(Bitmap(8, 8)), 60000, 60000);
    EXPECT_NE(ErrorText([&] { DecodeJpeg(hugeJpeg); }).find("too large"), std::string::npos);

    const Bitmap picture = Noise(40, 30, 10);
    const Bytes png = EncodePng(picture);
    const Bytes jpeg = EncodeJpeg(picture);
    struct Case {
        ImageLimits limits;
        bool fits;
    };
    const Case cases[] = {
        {{40, 1200}, true},
        {{39, 1200}, false},
        {{40, 1199}, false},
        {{0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.limits.MaxSide << " / " << c.limits.MaxPixels);
        if (c.fits) {
            EXPECT_EQ(DecodePng(png, c.limits), picture);
            EXPECT_EQ(DecodeJpeg(jpeg, c.limits).Width(), 40);
        } else {
            EXPECT_THROW(DecodePng(png, c.limits), ImageError);
            EXPECT_THROW(DecodeJpeg(jpeg, c.limits), ImageError);
        }
    }
}

TEST(ImageCodecsTest, EncodersRefuseWhatTheyCannotStore) {
    EXPECT_THROW(EncodePng(Bitmap()), ImageError);
    EXPECT_THROW(EncodePng(Bitmap(0, 5)), ImageError);
    EXPECT_THROW(EncodeJpeg(Bitmap()), ImageError);
    EXPECT_THROW(EncodeJpeg(Bitmap(2, 2), 0), ImageError);
    EXPECT_THROW(EncodeJpeg(Bitmap(2, 2), 101), ImageError);
    EXPECT_NO_THROW(EncodeJpeg(Bitmap(2, 2), 1));
}

}  // namespace
}  // namespace kinloom
