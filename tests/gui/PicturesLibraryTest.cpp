#include <gtest/gtest.h>

#include "PackageBuilder.h"
#include "gui/shell/PicturesLibrary.h"

namespace kinloom::gui {
namespace {

TEST(PicturesLibraryTest, EveryNamedPictureIsInTheLibrary) {
    PicturesLibrary library(KINLOOM_IMAGES_RCC);
    for (const char* name :
         {"IMGUnknown", "IMGVARNTitle", "IMGDkVARNTitle", "IMGFamTree", "IMGVARN", "IMGDkVARN",
          "IMGHouse", "IMGDkHouse", "IMGFamily", "IMGDkFamily", "IMGCash", "IMGDkCash", "IMGCat",
          "IMGDkCat", "IMGDog", "IMGDkDog", "IMGBird", "IMGDkBird"}) {
        SCOPED_TRACE(name);
        auto picture = library.Take(name);
        ASSERT_TRUE(picture.has_value());
        EXPECT_GT(picture->width(), 16);
    }
    EXPECT_EQ(library.Take("IMGUnknown")->size(), QSize(128, 128));
    EXPECT_FALSE(library.Take("IMGNoSuchPicture").has_value());
}

TEST(PicturesLibraryTest, MissingOrDamagedLibraryGivesNoPicture) {
    test::TempDir dir;
    EXPECT_FALSE(
        PicturesLibrary(QString::fromStdString((dir / "Images.rcc").string())).Take("IMGUnknown"));
    const auto junk = dir / "junk.rcc";
    test::PackageBuilder(24).add(1, 1, test::Text("not a resource file")).write(junk);
    EXPECT_FALSE(PicturesLibrary(QString::fromStdString(junk.string())).Take("IMGUnknown"));
}

}  // namespace
}  // namespace kinloom::gui
