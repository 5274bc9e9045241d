// A sim's thumbnail is drawn from its package's JPEGs when first looked at: the picture is the
// one the load used to draw at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pictures/ImageCodecs.h"
#include "core/pictures/MakeThumb.h"
#include "core/pictures/SimThumbnail.h"

namespace kinloom {
namespace {

Bytes Jpeg(Pixel colour) {
    return EncodeJpeg(Bitmap(160, 120, colour), 90);
}

Bitmap Drawn(const Bytes& jpeg) {
    Bitmap thumb;
    MakeThumb(DecodeJpeg(jpeg), thumb, 128);
    return thumb;
}

TEST(SimThumbnailTest, TheLastStoredPictureThatDecodesIsDrawnElseTheOneHeldBefore) {
    const Bitmap placeholder(8, 8, Pixel::Rgb(1, 2, 3));
    const Bytes red = Jpeg(Pixel::Rgb(200, 30, 30));
    const Bytes blue = Jpeg(Pixel::Rgb(30, 30, 200));
    Bytes damaged = red;
    damaged.resize(40);  // the header and nothing of the picture
    struct Case {
        std::string what;
        std::vector<Bytes> stored;
        Bitmap expected;
    };
    const Case cases[] = {
        {"none stored", {}, placeholder},
        {"one", {red}, Drawn(red)},
        {"the last of two", {red, blue}, Drawn(blue)},
        {"a damaged last one leaves the one before", {red, damaged}, Drawn(red)},
        {"none decodes", {damaged, damaged}, placeholder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimThumbnail thumbnail = placeholder;
        for (const Bytes& jpeg : c.stored) thumbnail.AddStored(jpeg, 128);
        const SimThumbnail copy = thumbnail;  // a copy not drawn yet draws the same
        EXPECT_EQ(thumbnail.Picture(), c.expected);
        EXPECT_EQ(thumbnail.Picture(), c.expected) << "drawn once, kept";
        EXPECT_EQ(copy.Picture(), c.expected);
    }
}

}  // namespace
}  // namespace kinloom
