#include <gtest/gtest.h>

#include <QByteArray>
#include <filesystem>
#include <optional>

#include "PackageBuilder.h"
#include "WinePrefix.h"
#include "gui/maintenance/QtFileOps.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const fs::path& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) old_ = qgetenv(name);
        qputenv(name, QByteArray::fromStdString(value.string()));
    }
    ~ScopedEnv() {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const fs::path& folder) : old_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~ScopedCurrentFolder() { fs::current_path(old_); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    fs::path old_;
};

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
    ScopedEnv homeVariable("HOME", home);
    ScopedEnv dataVariable("XDG_DATA_HOME", dataHome);
    ScopedCurrentFolder inWork(work);

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
