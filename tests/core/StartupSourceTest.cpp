// Where the window's start-up takes its game from: the game, a folder named on the command line
// or chosen, or the demo when asked for; never the demo in place of a game that was not found.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PackageBuilder.h"
#include "Platform.h"
#include "ScopedEnvironment.h"
#include "WinePrefix.h"
#include "core/demo/DemoWriter.h"
#include "core/platform/MemoryRegistry.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;

class StartupSourceTest : public ::testing::Test {
protected:
    test::TempDir temp;
    MemorySettings settings;
    // The launchers' places are searched in a home of the test's own.
    test::ScopedEnvironment noPrefixVariable{"WINEPREFIX", std::nullopt};
    fs::path home = temp / "home";

    // A machine without the game: an empty registry and an empty documents folder.
    StartupRequest Request(std::vector<std::string> arguments) {
        StartupRequest r;
        r.Arguments = std::move(arguments);
        r.Stored = &settings;
        r.DemoFolder = temp / "share" / "demo";
        r.Home = LauncherHome(home);
        fs::create_directories(temp / "documents");
        r.Platform = [this](const std::optional<fs::path>&) {
            GamePlatform p;
            p.Registry = std::make_unique<MemoryRegistry>();
            p.Documents = temp / "documents";
            return p;
        };
        return r;
    }
};

TEST_F(StartupSourceTest, NoGameSaysWhereItLookedAndOpensNoDemo) {
    StartupSource source = DiscoverStartupSource(Request({}));
    EXPECT_FALSE(source.Demo);
    EXPECT_TRUE(source.GameMissing);
    EXPECT_EQ(source.Outcome.Termination, std::optional<std::string>(kUserDataNotFound));
    EXPECT_TRUE(source.Outcome.State.Neighborhoods.empty());
    EXPECT_FALSE(fs::exists(temp / "share" / "demo"));
    const std::vector<std::string> expected = {
        "The registry names no edition of The Sims 2",
        "Documents folder: " + (temp / "documents").string(),
    };
    EXPECT_EQ(std::vector<std::string>(source.Looked.begin(), source.Looked.begin() + 2), expected);

    // The player's choice replaces the folder options and keeps the rest.
    StartupRequest asked = WithChoice(Request({"--wine-prefix", "/p", "/l", "3"}),
                                      GameChoice{temp / "game", std::nullopt, false});
    EXPECT_EQ(asked.Arguments,
              (std::vector<std::string>{"/l", "3", "--user-data", (temp / "game").string()}));
    EXPECT_TRUE(WithChoice(Request({}), GameChoice{std::nullopt, std::nullopt, true}).Demo);
}

// The first start asks with a choice that names nothing: the folders given on the command line
// must reach the discovery as given, and a later choice still replaces them.
TEST_F(StartupSourceTest, NothingChosenKeepsTheCommandLinesFolders) {
    WriteDemoUserData(temp / "game", DemoOptions{});
    const GameChoice nothing;
    StartupSource named = DiscoverStartupSource(
        WithChoice(Request({"--user-data", (temp / "game").string()}), nothing));
    EXPECT_FALSE(named.GameMissing);
    ASSERT_FALSE(named.Outcome.Termination) << *named.Outcome.Termination;
    EXPECT_EQ(named.Outcome.State.UserDataFolder, temp / "game");
    EXPECT_EQ(named.Outcome.State.Neighborhoods.size(), 3u);

    std::optional<fs::path> prefixAsked;
    StartupRequest withPrefix = Request({"--wine-prefix", (temp / "prefix").string(), "/l", "3"});
    withPrefix.Platform = [&](const std::optional<fs::path>& prefix) {
        prefixAsked = prefix;
        return GamePlatform{};
    };
    EXPECT_EQ(WithChoice(withPrefix, nothing).Arguments, withPrefix.Arguments);
    DiscoverStartupSource(WithChoice(withPrefix, nothing));
    EXPECT_EQ(prefixAsked, std::optional<fs::path>(temp / "prefix"));

    const GameChoice other{temp / "other", std::nullopt, false};
    EXPECT_EQ(WithChoice(withPrefix, other).Arguments,
              (std::vector<std::string>{"/l", "3", "--user-data", (temp / "other").string()}));
}

// A folder the player chose is used on the next start while it holds a game; a choice that found
// nothing is not kept, and a folder named on the command line wins for its run.
TEST_F(StartupSourceTest, AChosenFolderIsRememberedWhileItHoldsAGame) {
    WriteDemoUserData(temp / "game", DemoOptions{});
    const GameChoice nothing{temp / "empty", std::nullopt, false};
    RememberChoice(settings, nothing, DiscoverStartupSource(WithChoice(Request({}), nothing)));
    EXPECT_EQ(settings.ReadText(kGameUserDataSetting), std::nullopt);

    const GameChoice game{temp / "game", std::nullopt, false};
    RememberChoice(settings, game, DiscoverStartupSource(WithChoice(Request({}), game)));
    StartupSource next = DiscoverStartupSource(Request({}));
    EXPECT_FALSE(next.GameMissing);
    EXPECT_EQ(next.Outcome.State.UserDataFolder, temp / "game");

    const fs::path other = temp / "other";
    fs::create_directories(other);
    EXPECT_TRUE(DiscoverStartupSource(Request({"--user-data", other.string()})).GameMissing);

    fs::remove_all(temp / "game" / "Neighborhoods");  // gone: asked again, not opened empty
    EXPECT_TRUE(DiscoverStartupSource(Request({})).GameMissing);
}

TEST_F(StartupSourceTest, TheDemoOpensWhenAskedForAndKeepsItsEdits) {
    StartupRequest request = Request({});
    request.Demo = true;
    StartupSource first = DiscoverStartupSource(request);
    EXPECT_TRUE(first.Demo);
    ASSERT_FALSE(first.Outcome.Termination) << *first.Outcome.Termination;
    EXPECT_EQ(first.Outcome.State.Neighborhoods.size(), 3u);
    EXPECT_TRUE(first.Outcome.State.Packs.HasFreeTime);
    EXPECT_EQ(first.Outcome.State.GameLanguage, 1);

    // A second start opens the same folder as it is: nothing is written over a player's edits.
    const fs::path marker = temp / "share" / "demo" / "Neighborhoods" / "edited.txt";
    { std::ofstream(marker) << "kept"; }
    request = Request({"/l", "3"});
    request.Demo = true;
    StartupSource second = DiscoverStartupSource(request);
    EXPECT_TRUE(second.Demo);
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_EQ(second.Outcome.State.GameLanguage, 3);
}

TEST_F(StartupSourceTest, NamedFolderIsUsedAsGiven) {
    const fs::path empty = temp / "not-a-game";
    fs::create_directories(empty);
    StartupSource source = DiscoverStartupSource(Request({"--user-data", empty.string()}));
    EXPECT_FALSE(source.Demo);
    EXPECT_EQ(source.Outcome.Termination, std::optional<std::string>(kUserDataNotFound));
    EXPECT_TRUE(source.GameMissing);
    ASSERT_EQ(source.Looked.size(), 1u);
    EXPECT_EQ(source.Looked[0], "User data folder named: " + empty.string() +
                                    ", which holds no Neighborhoods folder");
    EXPECT_FALSE(fs::exists(temp / "share" / "demo"));

    WriteDemoUserData(temp / "game", DemoOptions{});
    source = DiscoverStartupSource(Request({"--user-data", (temp / "game").string()}));
    EXPECT_FALSE(source.Demo);
    EXPECT_FALSE(source.GameMissing);
    EXPECT_FALSE(source.Outcome.Termination);
    EXPECT_EQ(source.Outcome.State.Neighborhoods.size(), 3u);
}

TEST_F(StartupSourceTest, OptionWithoutFolderIsReported) {
    StartupSource source = DiscoverStartupSource(Request({"--wine-prefix"}));
    EXPECT_TRUE(source.ArgumentError);
    EXPECT_FALSE(source.Demo);
}

TEST_F(StartupSourceTest, DemoFolderHoldingOtherFilesIsRefused) {
    StartupRequest r = Request({});
    r.Demo = true;
    fs::create_directories(r.DemoFolder);
    { std::ofstream(r.DemoFolder / "mine.txt") << "a player's file"; }
    StartupSource source = DiscoverStartupSource(r);
    ASSERT_TRUE(source.Outcome.Termination);
    EXPECT_TRUE(fs::exists(r.DemoFolder / "mine.txt"));
}

// The game in launchers' prefixes, found without any option: one copy opens by itself; several
// are listed for the player, whose choice (folder and prefix) opens and is kept for next time.
class StartupCopiesTest : public StartupSourceTest {
protected:
    void SetUp() override { KINLOOM_LINUX_ONLY("Wine prefixes are searched by the Linux build"); }
    // The real platform: each prefix's own registry and documents.
    StartupRequest OnThisMachine(std::vector<std::string> arguments = {}) {
        StartupRequest r = Request(std::move(arguments));
        r.Platform = nullptr;
        return r;
    }
    fs::path GameIn(const fs::path& root, const std::string& edition, const std::string& hood,
                    const std::string& packName) {
        test::FakeWinePrefix prefix(root, WineUserName());
        prefix.WriteSystemReg(
            {{"Software\\Wow6432Node\\EA GAMES\\The Sims 2", {{"DisplayName", edition}}, {}},
             {"Software\\Wow6432Node\\EA GAMES\\" + packName, {}, {}}});
        prefix.WriteUserReg({});
        const fs::path data = prefix.MakeUserData(edition);
        test::WriteNeighborhood(data / "Neighborhoods", hood, "Home of " + edition);
        return data;
    }
};

TEST_F(StartupCopiesTest, OneCopyInALauncherPrefixOpensWithItsOwnRegistry) {
    const fs::path bottle = home / ".local" / "share" / "bottles" / "bottles" / "Sims";
    GameIn(bottle, "The Sims 2", "N001", "The Sims 2 Pets");
    StartupSource source = DiscoverStartupSource(OnThisMachine());
    ASSERT_FALSE(source.GameMissing);
    ASSERT_FALSE(source.Outcome.Termination) << *source.Outcome.Termination;
    EXPECT_FALSE(source.SeveralGames);
    ASSERT_EQ(source.Outcome.State.Neighborhoods.size(), 1u);
    EXPECT_TRUE(source.Outcome.State.Packs.HasPets);  // read from the bottle, not ~/.wine

    // A folder named inside a prefix takes that prefix's registry too.
    StartupSource named = DiscoverStartupSource(OnThisMachine(
        {"--user-data",
         (bottle / "drive_c" / "users" / WineUserName() / "Documents" / "EA Games" / "The Sims 2")
             .string()}));
    EXPECT_TRUE(named.Outcome.State.Packs.HasPets);
}

// A prefix's registry holds thousands of other programs' keys; only the game's and the shell
// folders are kept from it. The game is found among them and opens with its packs (native and
// 32-bit), its language and the documents folder the shell folders name, whether the launchers'
// places are searched or the prefix is named.
TEST_F(StartupCopiesTest, TheGameOpensFromARegistryFullOfOtherPrograms) {
    const std::string user = WineUserName();
    test::FakeWinePrefix prefix(home / ".wine", user);
    std::vector<test::RegKey> system, users;
    for (int i = 0; i < 400; ++i) {
        const std::string n = std::to_string(i);
        system.push_back(
            {"Software\\Classes\\CLSID\\{" + n + "}\\InprocServer32",
             {{"", "C:\\windows\\system32\\c" + n + ".dll"}, {"ThreadingModel", "Both"}},
             {"\"Flags\"=dword:00000001", "\"Data\"=hex:01,02,\\", "  03,04"}});
        users.push_back({"Software\\Vendor " + n + "\\Settings",
                         {{"Last", "C:\\users\\" + user + "\\Documents"}},
                         {"\"Place\"=hex:00,\\", "  01"}});
        if (i == 200) {
            system.push_back({"Software\\Wow6432Node\\EA GAMES\\The Sims 2",
                              {{"DisplayName", "The Sims 2"}},
                              {}});
            system.push_back({"Software\\Wow6432Node\\EA GAMES\\The Sims 2\\1.0",
                              {{"LanguageName", "German"}},
                              {}});
            system.push_back({"Software\\EA GAMES\\The Sims 2 University", {}, {}});
            system.push_back({"Software\\Wow6432Node\\EA GAMES\\The Sims 2 Seasons", {}, {}});
            users.push_back(
                {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 {{"Personal", "C:\\users\\" + user + "\\Moved Docs"}},
                 {}});
        }
    }
    prefix.WriteSystemReg(system);
    prefix.WriteUserReg(users, false);
    const fs::path moved = prefix.Root() / "drive_c" / "users" / user / "Moved Docs";
    test::WriteNeighborhood(moved / "EA Games" / "The Sims 2" / "Neighborhoods", "N001", "Town");

    for (const auto& arguments :
         {std::vector<std::string>{}, {"--wine-prefix", prefix.Root().string()}}) {
        SCOPED_TRACE(arguments.size());
        StartupSource source = DiscoverStartupSource(OnThisMachine(arguments));
        ASSERT_FALSE(source.Outcome.Termination) << *source.Outcome.Termination;
        const StartupState& state = source.Outcome.State;
        EXPECT_TRUE(state.Packs.HasUniversity);
        EXPECT_TRUE(state.Packs.HasSeasons);
        EXPECT_FALSE(state.Packs.HasPets);
        EXPECT_EQ(state.GameLanguage, 4);
        EXPECT_EQ(source.Documents, fs::canonical(moved));
        ASSERT_EQ(state.Neighborhoods.size(), 1u);
        EXPECT_EQ(state.Neighborhoods[0].NGBDName, "Town");
    }
}

// The registry the search read goes with the copy it found to the discovery that opens it,
// which does not read the prefix's registry files again.
TEST_F(StartupCopiesTest, TheRegistryTheSearchReadOpensTheCopy) {
    const fs::path lutris = home / "Games" / "sims-2";
    GameIn(lutris, "The Sims 2", "N001", "The Sims 2 Pets");
    const GameLocation location = LocateGame(StartupArguments{}, LauncherHome(home));
    ASSERT_EQ(location.Found.Copies.size(), 1u);
    ASSERT_TRUE(location.Registry);
    EXPECT_EQ(location.Registry, location.Found.Copies[0].Registry);
    fs::remove(lutris / "system.reg");
    fs::remove(lutris / "user.reg");
    const GamePlatform platform =
        OpenGamePlatform(location.Arguments.WinePrefix, location.Registry);
    EXPECT_EQ(platform.Registry, location.Registry);
    EXPECT_TRUE(ReadExpansionFlags(*platform.Registry).HasPets);
}

TEST_F(StartupCopiesTest, SeveralCopiesAreListedAndTheChoiceIsKept) {
    const fs::path steamPrefix =
        home / ".local" / "share" / "Steam" / "steamapps" / "compatdata" / "123" / "pfx";
    const fs::path lutrisPrefix = home / "Games" / "sims-2";
    const fs::path steamData =
        GameIn(steamPrefix, "The Sims 2 Ultimate Collection", "N001", "The Sims 2 FreeTime");
    const fs::path lutrisData = GameIn(lutrisPrefix, "The Sims 2", "N002", "The Sims 2 Seasons");

    StartupSource several = DiscoverStartupSource(OnThisMachine());
    EXPECT_FALSE(several.GameMissing);
    ASSERT_TRUE(several.SeveralGames);
    ASSERT_EQ(several.Copies.size(), 2u);
    EXPECT_EQ(several.Copies[0].Launcher, "Lutris");
    EXPECT_EQ(several.Copies[0].Edition, "The Sims 2");
    EXPECT_EQ(several.Copies[1].Launcher, "Steam");
    EXPECT_EQ(several.Copies[1].NeighborhoodCount, 1u);
    ASSERT_TRUE(several.Outcome.Termination);
    EXPECT_TRUE(several.Outcome.Termination->starts_with(kSeveralUserDataFolders));
    EXPECT_NE(several.Outcome.Termination->find(" (Steam prefix " + steamPrefix.string() + ")"),
              std::string::npos);

    const GameCopy& steam = several.Copies[1];
    const GameChoice choice{steam.UserDataFolder, steam.WinePrefix, false};
    StartupSource chosen = DiscoverStartupSource(WithChoice(OnThisMachine(), choice));
    RememberChoice(settings, choice, chosen);
    ASSERT_FALSE(chosen.Outcome.Termination) << *chosen.Outcome.Termination;
    EXPECT_TRUE(chosen.Outcome.State.Packs.HasFreeTime);
    EXPECT_FALSE(chosen.Outcome.State.Packs.HasSeasons);

    // Next start: the kept copy opens, with its own prefix's registry.
    StartupSource next = DiscoverStartupSource(OnThisMachine());
    EXPECT_FALSE(next.SeveralGames);
    ASSERT_EQ(next.Outcome.State.Neighborhoods.size(), 1u);
    EXPECT_EQ(next.Outcome.State.Neighborhoods[0].FolderName, "N001");
    EXPECT_TRUE(next.Outcome.State.Packs.HasFreeTime);

    // Once the kept copy is gone, the player is asked again.
    fs::remove_all(steamPrefix);
    StartupSource gone = DiscoverStartupSource(OnThisMachine());
    EXPECT_FALSE(gone.SeveralGames);
    ASSERT_EQ(gone.Outcome.State.Neighborhoods.size(), 1u);
    EXPECT_EQ(gone.Outcome.State.Neighborhoods[0].FolderName, "N002");
}

TEST_F(StartupCopiesTest, WithoutAGameTheSearchedPlacesAreListed) {
    test::FakeWinePrefix other(home / ".wine", WineUserName());
    other.WriteSystemReg({});
    StartupSource source = DiscoverStartupSource(OnThisMachine());
    ASSERT_TRUE(source.GameMissing);
    const auto has = [&](const std::string& line) {
        return std::find(source.Looked.begin(), source.Looked.end(), line) != source.Looked.end();
    };
    EXPECT_TRUE(has("Wine: ~/.wine (a prefix)"));
    EXPECT_TRUE(has("Wine prefix " + (home / ".wine").string() +
                    ": the registry names no edition of The Sims 2"));
    const std::string& last = source.Looked.back();
    EXPECT_TRUE(last.starts_with("Not there: ~/.config/lutris/games, ")) << last;
    EXPECT_NE(last.find("~/.PlayOnLinux/wineprefix"), std::string::npos) << last;
}

}  // namespace
}  // namespace kinloom
