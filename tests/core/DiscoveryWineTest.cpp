#include <gtest/gtest.h>

#include "PackageBuilder.h"
#include "Platform.h"
#include "WinePrefix.h"
#include "core/neighborhoods/Discovery.h"
#include "core/platform/MemoryRegistry.h"
#include "core/platform/WinePrefix.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(WinePrefixTest, OptionThenVariableThenHome) {
    struct Case {
        std::optional<fs::path> option;
        const char* variable;
        const char* home;
        fs::path prefix;
    };
    const Case cases[] = {
        {fs::path("/opt/sims"), "/env/prefix", "/home/me", "/opt/sims"},
        {std::nullopt, "/env/prefix", "/home/me", "/env/prefix"},
        {std::nullopt, "", "/home/me", "/home/me/.wine"},
        {std::nullopt, nullptr, "/home/me", "/home/me/.wine"},
        {fs::path(), nullptr, "/home/me", "/home/me/.wine"},
        {std::nullopt, nullptr, nullptr, fs::path()},
        {std::nullopt, "", "", fs::path()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        EXPECT_EQ(ChooseWinePrefix(c.option, c.variable, c.home), c.prefix);
    }
}

class WineDocumentsTest : public ::testing::Test {
protected:
    void SetUp() override { KINLOOM_LINUX_ONLY("Wine prefixes are read by the Linux build"); }
    test::TempDir dir;
    test::FakeWinePrefix prefix{dir / "prefix", "bob"};
    fs::path Canonical(const fs::path& p) { return fs::weakly_canonical(p); }
};

TEST_F(WineDocumentsTest, WindowsPathsMapThroughTheDriveLinks) {
    const fs::path driveC = Canonical(prefix.Root() / "drive_c");
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), "C:\\users\\bob\\Documents"),
              driveC / "users" / "bob" / "Documents");
    // Windows does not care about case; the folder is found as it is spelled on disk.
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), "c:\\USERS\\Bob\\documents\\"),
              driveC / "users" / "bob" / "Documents");
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), "C:/users/bob/Missing"),
              driveC / "users" / "bob" / "Missing");
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), "D:\\data"), std::nullopt);
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), "\\users\\bob"), std::nullopt);
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), ""), std::nullopt);
    EXPECT_EQ(WindowsPathInPrefix(fs::path(), "C:\\users"), std::nullopt);

    // A second drive linked to a folder of the Linux home.
    const fs::path data = dir / "data";
    fs::create_directories(data / "Sims");
    fs::create_directory_symlink(data, prefix.Root() / "dosdevices" / "d:");
    EXPECT_EQ(WindowsPathInPrefix(prefix.Root(), "D:\\sims"), Canonical(data / "Sims"));
}

TEST_F(WineDocumentsTest, DocumentsFolderOfThePrefixUser) {
    // Wine links the user's Documents to the Linux documents folder; the link is followed.
    const fs::path linuxDocs = dir / "home" / "Documents";
    fs::create_directories(linuxDocs);
    fs::remove(prefix.Documents());
    fs::create_directory_symlink(linuxDocs, prefix.Documents());
    const fs::path moved = dir / "prefix" / "drive_c" / "users" / "bob" / "Moved Docs";
    fs::create_directories(moved);
    const fs::path oldStyle = dir / "old" / "drive_c" / "users" / "bob" / "My Documents";
    fs::create_directories(oldStyle);

    struct Case {
        const char* name;
        fs::path prefix;
        std::optional<std::string> personal;
        std::optional<fs::path> documents;
    };
    const Case cases[] = {
        {"from the shell folder", prefix.Root(), "C:\\users\\bob\\Documents", Canonical(linuxDocs)},
        {"shell folder moved", prefix.Root(), "C:\\users\\bob\\Moved Docs", Canonical(moved)},
        {"shell folder missing on disk", prefix.Root(), "C:\\users\\bob\\Gone",
         Canonical(linuxDocs)},
        {"no shell folder", prefix.Root(), std::nullopt, Canonical(linuxDocs)},
        {"an older prefix without drive links", dir / "old", std::nullopt, Canonical(oldStyle)},
        {"no prefix at all", dir / "none", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry r;
        if (c.personal)
            r.SetString(RegistryRoot::CurrentUser, kShellFolders, "Personal", *c.personal);
        EXPECT_EQ(WineDocumentsFolder(c.prefix, r, "bob"), c.documents);
    }
}

TEST_F(WineDocumentsTest, OpensTheGameOfAPrefix) {
    prefix.WriteSystemReg(
        {{"Software\\Wow6432Node\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {}},
         {"Software\\Wow6432Node\\EA GAMES\\The Sims 2\\1.0", {{"LanguageName", "German"}}, {}},
         {"Software\\Wow6432Node\\EA GAMES\\The Sims 2 Seasons", {}, {}}});
    prefix.WriteUserReg({});
    test::WriteNeighborhood(prefix.MakeUserData("The Sims 2") / "Neighborhoods", "N001", "Town");

    GamePlatform platform = OpenGamePlatform(prefix.Root());
    ASSERT_TRUE(platform.Registry);
    EXPECT_EQ(platform.WinePrefix, prefix.Root());
    EXPECT_EQ(platform.Documents, Canonical(prefix.Documents()));
    StartupOutcome o =
        DiscoverStartup({platform.Registry.get(), platform.Documents, std::nullopt, nullptr, {}});
    EXPECT_EQ(o.Termination, std::nullopt);
    EXPECT_TRUE(o.State.Packs.HasSeasons);
    EXPECT_EQ(o.State.GameLanguage, 4);
    ASSERT_EQ(o.State.Neighborhoods.size(), 1u);
    EXPECT_EQ(o.State.Neighborhoods[0].NGBDName, "Town");
}

}  // namespace
}  // namespace kinloom
