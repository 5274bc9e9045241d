#include <gtest/gtest.h>

#include <filesystem>

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

// A build (and Windows) keeps the library beside the program; an installed program finds it in
// its share folder; beside wins when both exist.
TEST(PicturesLibraryTest, FoundBesideTheProgramOrInItsShareFolder) {
    test::TempDir root;
    const auto bin = root / "usr" / "bin";
    const auto share = root / "usr" / "share" / "kinloom";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    const QString programFolder = QString::fromStdString(bin.string());
    const auto located = [&] {
        return std::filesystem::weakly_canonical(
            PicturesLibrary::Locate(programFolder).toStdString());
    };

    EXPECT_EQ(located(), std::filesystem::weakly_canonical(bin / "Images.rcc"));  // none yet
    std::filesystem::copy_file(KINLOOM_IMAGES_RCC, share / "Images.rcc");
    EXPECT_EQ(located(), std::filesystem::weakly_canonical(share / "Images.rcc"));
    EXPECT_TRUE(PicturesLibrary(PicturesLibrary::Locate(programFolder)).Take("IMGUnknown"));
    std::filesystem::copy_file(KINLOOM_IMAGES_RCC, bin / "Images.rcc");
    EXPECT_EQ(located(), std::filesystem::weakly_canonical(bin / "Images.rcc"));
}

}  // namespace
}  // namespace kinloom::gui
