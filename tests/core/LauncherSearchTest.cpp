// Finding the game where Linux launchers keep it: the launchers' own files, each launcher's
// folders laid out in a temporary home, and the copies of the game in the prefixes found.

#include <gtest/gtest.h>

#include <algorithm>

#include "PackageBuilder.h"
#include "Platform.h"
#include "WinePrefix.h"
#include "core/neighborhoods/GameCopies.h"
#include "core/platform/LauncherFiles.h"
#include "core/platform/WinePrefixSearch.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST(LauncherFilesTest, SteamLibraryFoldersAreReadFromBothFormsAndDamageStopsTheRead) {
    struct Case {
        const char* name;
        std::string text;
        Strings folders;
    };
    const Case cases[] = {
        {"current form",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/me/.local/share/Steam\"\n"
         "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"2420\"\t\t\"1\"\n\t\t}\n\t}\n"
         "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games/Steam Library\"\n\t}\n}\n",
         {"/home/me/.local/share/Steam", "/mnt/games/Steam Library"}},
        {"older form with other values",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1670000000\"\n"
         "\t\"ContentStatsID\"\t\"-1\"\n\t\"1\"\t\"/media/disk/SteamLibrary\"\n}\n",
         {"/media/disk/SteamLibrary"}},
        {"escapes, comments and conditions",
         "// written by Steam\n\"libraryfolders\" { \"0\" { \"path\" \"D:\\\\Games\\\\Steam\" "
         "[$WIN32] \"label\" \"a \\\"quoted\\\" label\" } }",
         {"D:\\Games\\Steam"}},
        {"paths outside the list are not libraries",
         "\"other\" { \"0\" { \"path\" \"/nope\" } } \"libraryfolders\" { \"0\" { \"apps\" { "
         "\"path\" \"/nope\" } } }",
         {}},
        {"unclosed string keeps what came before",
         "\"libraryfolders\" { \"0\" { \"path\" \"/a\" } \"1\" { \"path\" \"/b",
         {"/a"}},
        {"stray closing brace", "} \"libraryfolders\" { \"0\" \"/a\" }", {}},
        {"nesting deeper than any Steam file", std::string(5000, '{'), {}},
        {"empty", "", {}},
        {"binary", std::string("\0\xff\"\x01{", 5), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SteamLibraryFolders(c.text), c.folders);
    }
}

TEST(LauncherFilesTest, LutrisAndHeroicFilesNameTheirPrefixes) {
    KINLOOM_LINUX_ONLY("Lutris, whose files are YAML, exists only on Linux");
    EXPECT_EQ(LutrisGamePrefix("game:\n  exe: /home/me/Games/sims/drive_c/Sims2.exe\n"
                               "  prefix: /home/me/Games/the-sims-2\n  arch: win64\n"
                               "wine:\n  version: lutris-7.2\n"),
              std::optional<std::string>("/home/me/Games/the-sims-2"));
    EXPECT_EQ(LutrisGamePrefix("game:\n  prefix: \"~/Games/with: colon\"\n"),
              std::optional<std::string>("~/Games/with: colon"));
    for (const char* text : {"game:\n  exe: /x.exe\n", "game: text\n", "prefix: /x\n", "- a\n- b\n",
                             "game: [unclosed\n", "", "\t\x01\xff"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(LutrisGamePrefix(text), std::nullopt);
    }

    EXPECT_EQ(HeroicWinePrefixes(R"({"Sims2": {"winePrefix": "/home/me/Games/Heroic/Prefixes/Sims2",
                                  "wineVersion": {"bin": "/usr/bin/wine"}}, "version": "v0"})"),
              (Strings{"/home/me/Games/Heroic/Prefixes/Sims2"}));
    EXPECT_EQ(
        HeroicWinePrefixes(R"({"defaultSettings": {"winePrefix": "~/Games/Heroic/Prefixes/default",
                                  "winePrefixes": ["x"]}})"),
        (Strings{"~/Games/Heroic/Prefixes/default"}));
    EXPECT_EQ(HeroicWinePrefixes(R"({"a": {"winePrefix": 3}, "b": {"winePrefix": ""}})"),
              Strings{});
    EXPECT_EQ(HeroicWinePrefixes("{\"a\": {\"winePrefix\": \"/x\""), Strings{});
    EXPECT_EQ(HeroicWinePrefixes(std::string(100000, '[')), Strings{});
}

// A home with each launcher's folders, as the launchers lay them out.
class LauncherHomeTest : public ::testing::Test {
protected:
    void SetUp() override { KINLOOM_LINUX_ONLY("Wine prefixes are searched by the Linux build"); }
    test::TempDir dir;
    fs::path home = dir / "home";

    // A prefix whose registry names the base game when withGame.
    fs::path Prefix(const fs::path& root, bool withGame = true, const std::string& user = "me") {
        test::FakeWinePrefix prefix(root, user);
        std::vector<test::RegKey> keys;
        if (withGame)
            keys.push_back({"Software\\Wow6432Node\\EA GAMES\\The Sims 2",
                            {{"DisplayName", "The Sims 2"}},
                            {}});
        prefix.WriteSystemReg(keys);
        prefix.WriteUserReg({});
        return root;
    }

    static Strings Found(const PrefixSearch& search) {
        Strings found;
        for (const FoundPrefix& p : search.Prefixes)
            found.push_back(p.Launcher + " " + p.Prefix.lexically_normal().string());
        return found;
    }
    std::string At(const fs::path& p) const { return (p).lexically_normal().string(); }
};

TEST_F(LauncherHomeTest, EachLauncherLayoutIsSearched) {
    Prefix(home / ".wine");
    // Lutris: game files in both of its homes, and its default games folder.
    Prefix(dir / "lutris-prefix");
    test::WriteTextFile(home / ".config" / "lutris" / "games" / "sims-2-123.yml",
                        "game:\n  prefix: " + (dir / "lutris-prefix").string() + "\n");
    Prefix(home / "Games" / "in-home");
    test::WriteTextFile(home / ".local" / "share" / "lutris" / "games" / "other.yml",
                        "game:\n  prefix: ~/Games/in-home\n");
    test::WriteTextFile(home / ".config" / "lutris" / "games" / "broken.yml", "game: [\n");
    Prefix(home / "Games" / "the-sims-2");
    fs::create_directories(home / "Games" / "not-a-prefix" / "drive_c");
    // Steam: the native root (linked from ~/.steam/steam), a second library, and Flatpak.
    const fs::path steam = home / ".local" / "share" / "Steam";
    Prefix(steam / "steamapps" / "compatdata" / "3141592653" / "pfx");
    fs::create_directories(steam / "steamapps" / "compatdata" / "228980");  // no pfx yet
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(steam, home / ".steam" / "steam");
    Prefix(dir / "disk" / "SteamLibrary" / "steamapps" / "compatdata" / "2718281828" / "pfx");
    test::WriteTextFile(steam / "steamapps" / "libraryfolders.vdf",
                        "\"libraryfolders\" { \"0\" { \"path\" \"" + steam.string() +
                            "\" } \"1\" { \"path\" \"" + (dir / "disk" / "SteamLibrary").string() +
                            "\" } }");
    const fs::path flatpakSteam =
        home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam";
    Prefix(flatpakSteam / "steamapps" / "compatdata" / "161803398" / "pfx");
    // Bottles, native and Flatpak.
    Prefix(home / ".local" / "share" / "bottles" / "bottles" / "Sims-2");
    Prefix(home / ".var" / "app" / "com.usebottles.bottles" / "data" / "bottles" / "bottles" /
           "Games");
    // Heroic: its prefixes folder (also one level down), and a prefix only its settings name.
    Prefix(home / "Games" / "Heroic" / "Prefixes" / "Sims2");
    Prefix(home / "Games" / "Heroic" / "Prefixes" / "default" / "The Sims 2");
    Prefix(dir / "elsewhere" / "heroic-sims");
    test::WriteTextFile(
        home / ".config" / "heroic" / "GamesConfig" / "abc.json",
        "{\"abc\": {\"winePrefix\": \"" + (dir / "elsewhere" / "heroic-sims").string() + "\"}}");
    // PlayOnLinux.
    Prefix(home / ".PlayOnLinux" / "wineprefix" / "TheSims2");

    const PrefixSearch search = FindWinePrefixes(LauncherHome(home));
    const Strings expected = {
        "Wine " + At(home / ".wine"),
        "Lutris " + At(dir / "lutris-prefix"),
        "Lutris " + At(home / "Games" / "in-home"),
        "Lutris " + At(home / "Games" / "the-sims-2"),
        "Steam " +
            At(home / ".steam" / "steam" / "steamapps" / "compatdata" / "3141592653" / "pfx"),
        "Steam " +
            At(dir / "disk" / "SteamLibrary" / "steamapps" / "compatdata" / "2718281828" / "pfx"),
        "Steam " + At(flatpakSteam / "steamapps" / "compatdata" / "161803398" / "pfx"),
        "Bottles " + At(home / ".local" / "share" / "bottles" / "bottles" / "Sims-2"),
        "Bottles " + At(home / ".var" / "app" / "com.usebottles.bottles" / "data" / "bottles" /
                        "bottles" / "Games"),
        "Heroic " + At(home / "Games" / "Heroic" / "Prefixes" / "Sims2"),
        "Heroic " + At(home / "Games" / "Heroic" / "Prefixes" / "default" / "The Sims 2"),
        "Heroic " + At(dir / "elsewhere" / "heroic-sims"),
        "PlayOnLinux " + At(home / ".PlayOnLinux" / "wineprefix" / "TheSims2"),
    };
    EXPECT_EQ(Found(search), expected);
    EXPECT_NE(std::find(search.Looked.begin(), search.Looked.end(),
                        "Lutris: ~/.config/lutris/games (2 files, 1 prefix)"),
              search.Looked.end());
    EXPECT_NE(std::find(search.Looked.begin(), search.Looked.end(), "Wine: ~/.wine (a prefix)"),
              search.Looked.end());
    // Flatpak Heroic is not installed here.
    EXPECT_NE(std::find(search.Absent.begin(), search.Absent.end(),
                        "~/.var/app/com.heroicgameslauncher.hgl/config/heroic/config.json"),
              search.Absent.end());
}

TEST_F(LauncherHomeTest, LinksAreFollowedOnceAndLoopsNeverWalked) {
    Prefix(home / "Games" / "real");
    fs::create_directories(home / "Games");
    fs::create_directory_symlink(home / "Games" / "real", home / "Games" / "alias");
    fs::create_directory_symlink(home / "Games", home / "Games" / "loop");
    fs::create_directory_symlink(home / "Games" / "self", home / "Games" / "self");
    fs::create_directories(home / ".PlayOnLinux");
    fs::create_directory_symlink(home / ".PlayOnLinux", home / ".PlayOnLinux" / "wineprefix");
    // A Lutris file naming the games folder itself: a folder of prefixes, looked into once.
    test::WriteTextFile(home / ".config" / "lutris" / "games" / "x.yml",
                        "game:\n  prefix: " + (home / "Games").string() + "\n");

    const PrefixSearch search = FindWinePrefixes(LauncherHome(home));
    EXPECT_EQ(Found(search), (Strings{"Lutris " + At(home / "Games" / "alias")}));
}

TEST_F(LauncherHomeTest, CopiesAreThePrefixesWhoseRegistryNamesTheGame) {
    // Proton's prefix: the registry names no documents folder and the user is "steamuser".
    const fs::path proton = home / "pfx";
    {
        test::FakeWinePrefix prefix(proton, "steamuser");
        prefix.WriteSystemReg({{"Software\\Wow6432Node\\EA GAMES\\The Sims 2",
                                {{"DisplayName", "The Sims 2 Ultimate Collection"}},
                                {}}});
        prefix.WriteUserReg({}, false);
        fs::create_directories(proton / "drive_c" / "users" / "Public" / "Documents");
        const fs::path data = prefix.MakeUserData("The Sims 2 Ultimate Collection");
        test::WriteNeighborhood(data / "Neighborhoods", "N001", "Pleasantview");
        test::WriteNeighborhood(data / "Neighborhoods", "N002", "Strangetown");
        fs::create_directories(data / "Neighborhoods" / "N003");  // no package
        test::WriteNeighborhood(data / "Neighborhoods", "G001", "Downtown");
    }
    // Two editions side by side in one prefix.
    const fs::path both = home / "both";
    {
        test::FakeWinePrefix prefix(both, "me");
        // Registry keys are found whatever the case they were written in.
        prefix.WriteSystemReg(
            {{"SOFTWARE\\EA Games\\THE SIMS 2", {{"DisplayName", "The Sims 2"}}, {}}});
        prefix.WriteUserReg({});
        test::WriteNeighborhood(prefix.MakeUserData("The Sims 2") / "Neighborhoods", "N001", "A");
        prefix.MakeUserData("The Sims\xE2\x84\xA2 2 Legacy");
    }
    // Another game's prefix, and one whose documents hold no user data.
    Prefix(home / "other", false);
    const fs::path empty = Prefix(home / "empty");
    const std::vector<FoundPrefix> prefixes = {
        {proton, "Steam"}, {both, "Lutris"}, {home / "other", "Bottles"}, {empty, "Wine"}};
    const GameCopySearch search = FindGameCopies(prefixes, "me");

    ASSERT_EQ(search.Copies.size(), 3u);
    const GameCopy& uc = search.Copies[0];
    EXPECT_EQ(uc.Edition, "The Sims 2 Ultimate Collection");
    EXPECT_EQ(uc.Launcher, "Steam");
    EXPECT_EQ(uc.WinePrefix, proton);
    EXPECT_EQ(fs::weakly_canonical(uc.UserDataFolder),
              fs::weakly_canonical(proton / "drive_c" / "users" / "steamuser" / "Documents" /
                                   "EA Games" / "The Sims 2 Ultimate Collection"));
    EXPECT_EQ(uc.NeighborhoodCount, 3u);
    EXPECT_EQ(search.Copies[1].Edition, "The Sims 2");
    EXPECT_EQ(search.Copies[1].NeighborhoodCount, 1u);
    EXPECT_EQ(search.Copies[2].Edition, "The Sims\xE2\x84\xA2 2 Legacy");
    EXPECT_EQ(search.Copies[2].NeighborhoodCount, 0u);
    EXPECT_EQ(
        search.Looked,
        (Strings{
            "Bottles prefix " + (home / "other").string() +
                ": the registry names no edition of The Sims 2",
            "Wine prefix " + empty.string() +
                ": The Sims 2, but no user-data folder with neighborhoods in " +
                fs::weakly_canonical(empty / "drive_c" / "users" / "me" / "Documents").string() +
                "/EA Games"}));

    // Plain Wine links every prefix's documents to the same Linux folder: one copy, the first.
    const fs::path shared = dir / "Documents";
    fs::create_directories(shared / "EA Games" / "The Sims 2" / "Neighborhoods");
    for (const fs::path& p : {home / "w1", home / "w2"}) {
        Prefix(p);
        fs::remove_all(p / "drive_c" / "users" / "me" / "Documents");
        fs::create_directory_symlink(shared, p / "drive_c" / "users" / "me" / "Documents");
    }
    const GameCopySearch linked =
        FindGameCopies({{home / "w1", "Wine"}, {home / "w2", "Lutris"}}, "me");
    ASSERT_EQ(linked.Copies.size(), 1u);
    EXPECT_EQ(linked.Copies[0].WinePrefix, home / "w1");
}

TEST(WinePrefixSearchTest, AFolderInsideAPrefixIsKnownByItsPrefix) {
    KINLOOM_LINUX_ONLY("Wine prefixes are searched by the Linux build");
    test::TempDir dir;
    test::FakeWinePrefix prefix(dir / "prefix", "me");
    prefix.WriteSystemReg({});
    const fs::path data = prefix.MakeUserData("The Sims 2");
    EXPECT_EQ(PrefixHolding(data), fs::weakly_canonical(dir / "prefix"));
    EXPECT_EQ(PrefixHolding(dir / "prefix"), fs::weakly_canonical(dir / "prefix"));
    EXPECT_EQ(PrefixHolding(dir.path()), std::nullopt);
    EXPECT_EQ(PrefixHolding(dir / "missing" / "deeper"), std::nullopt);
}

}  // namespace
}  // namespace kinloom
