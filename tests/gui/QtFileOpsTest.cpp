#include <gtest/gtest.h>

#include <filesystem>

#include "PackageBuilder.h"
#include "ScopedEnvironment.h"
#include "WinePrefix.h"
#include "gui/maintenance/QtFileOps.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// A fresh account: the data folder (~/.local/share) does not exist yet. What is trashed must land
// in that folder's Trash, where the desktop's trash shows it, and never in the current folder.
TEST(QtFileOpsTest, TrashedItemsLandInTheDesktopTrash) {
    test::TempDir dir;
    const fs::path home = dir / "home";
    const fs::path dataHome = home / ".local" / "share";
    const fs::path work = dir / "work";
    fs::create_directories(home);
    fs::create_directories(work);
    test::ScopedEnvironment homeVariable("HOME", home.string());
    test::ScopedEnvironment dataVariable("XDG_DATA_HOME", dataHome.string());
    test::ScopedCurrentFolder inWork(work);

    const fs::path backup = dir / "NGBDs" / "N001 03-14-2008 153045";
    test::WriteTextFile(backup / "N001_Neighborhood.package", "pkg");
    test::WriteTextFile(backup / "Characters" / "N001_User00000.package", "sim");
    const fs::path picture = dir / "N001_Neighborhood.png";
    test::WriteTextFile(picture, "png");

    QtFileOps files;
    for (const fs::path& item : {backup, picture}) {
        SCOPED_TRACE(item.filename().string());
        ASSERT_TRUE(files.DeleteToTrash(item));
        EXPECT_FALSE(fs::exists(item));
        const fs::path trashed = dataHome / "Trash" / "files" / item.filename();
        EXPECT_TRUE(fs::exists(trashed));
        EXPECT_TRUE(fs::is_regular_file(dataHome / "Trash" / "info" /
                                        (item.filename().string() + ".trashinfo")))
            << "the desktop needs this to put the item back";
    }
    EXPECT_TRUE(fs::is_regular_file(dataHome / "Trash" / "files" / "N001 03-14-2008 153045" /
                                    "Characters" / "N001_User00000.package"));
    EXPECT_TRUE(fs::is_empty(work)) << "nothing is trashed into the current folder";

    EXPECT_FALSE(files.DeleteToTrash(dir / "never there"));
}
#endif

}  // namespace
}  // namespace kinloom::gui
