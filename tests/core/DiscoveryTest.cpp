#include <gtest/gtest.h>

#include "PackageBuilder.h"
#include "WinePrefix.h"
#include "core/neighborhoods/Discovery.h"
#include "core/platform/MemoryRegistry.h"
#include "core/platform/Paths.h"
#include "core/platform/ProgramVersion.h"
#include "core/platform/Settings.h"
#include "core/platform/WinePrefix.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
constexpr RegistryRoot LM = RegistryRoot::LocalMachine;
constexpr RegistryRoot CU = RegistryRoot::CurrentUser;
constexpr const char* kBase = "\\Software\\EA GAMES\\The Sims 2";
constexpr const char* kBase10 = "\\Software\\EA GAMES\\The Sims 2\\1.0";
constexpr const char* kUni10 = "\\Software\\EA GAMES\\The Sims 2 University\\1.0";
constexpr const char* kNight10 = "\\Software\\EA GAMES\\The Sims 2 Nightlife\\1.0";
constexpr const char* kBiz10 = "\\Software\\EA GAMES\\The Sims 2 Open For Business\\1.0";

TEST(LanguageTest, MapsTheRegistryNameToLanguageAndFont) {
    struct Case {
        const char* name;
        int code;
        const char* font;
        int charset;
    };
    const Case cases[] = {
        {"English US", 1, "Arial", 0},
        {"USEnglish", 1, "Arial", 0},
        {"English UK", 2, "Arial", 0},
        {"ukenglish", 2, "Arial", 0},
        {"French", 3, "Arial", 0},
        {"GERMAN", 4, "Arial", 0},
        {"Danish", 8, "Trebuchet MS", 0},
        {"Finish", 11, "Trebuchet MS", 0},
        {"Finnish", 11, "Trebuchet MS", 0},
        {"Russian", 13, "Trebuchet MS", 0},
        {"Japanese", 15, "MS Gothic", 128},
        {"Polish", 16, "Arial", 0},
        {"Chinese Traditional", 17, "MingLiU", 128},
        {"Simplified Chinese", 18, "MS Hei", 128},
        {"Thai", 19, "Angsana New", 128},
        {"Korean", 20, "Trebuchet MS", 0},
        {"Klingon", 1, "Arial", 0},
        {"", 1, "Arial", 0},
        {" english us", 1, "Arial", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageChoice l = LanguageFromName(c.name);
        EXPECT_EQ(l.GameLanguage, c.code);
        EXPECT_EQ(l.FontName, c.font);
        EXPECT_EQ(l.FontCharset, c.charset);
    }
}

TEST(LanguageTest, SlashLReplacesTheLanguage) {
    struct Case {
        std::vector<std::string> args;
        int language;
    };
    const Case cases[] = {
        {{}, 15},
        {{"/l", "4"}, 4},
        {{"/L", "4"}, 4},
        {{"/l"}, 1},  // last argument
        {{"--demo", "/l"}, 1},
        {{"/l", "x"}, 1},
        {{"/l", "3", "/l", "5"}, 5},
        {{"/l", "3", "/l"}, 1},
        {{"-l", "3"}, 15},
        {{"/l", "300"}, 1},  // does not fit the stored language byte
        {{"/l", "-2"}, 1},
        {{"/l", "4x"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(LanguageFromArguments(c.args, 15), c.language);
    }
}

TEST(RegistryDiscoveryTest, ExpansionFlagsComeFromLocalMachineKeys) {
    MemoryRegistry r;
    EXPECT_EQ(ReadExpansionFlags(r), ExpansionFlags{});
    r.AddKey(CU, "\\Software\\EA GAMES\\The Sims 2 University");  // not where packs are looked for
    r.AddKey(LM, "\\Software\\EA GAMES\\The Sims 2 Deluxe");
    r.AddKey(LM, "\\Software\\EA GAMES\\The Sims 2 Seasons");
    r.AddKey(LM, "\\Software\\EA GAMES\\the sims 2 freetime");
    ExpansionFlags want;
    want.HasNightlife = true;
    want.HasSeasons = true;
    want.HasFreeTime = true;
    EXPECT_EQ(ReadExpansionFlags(r), want);

    for (const char* pack : {"University", "Nightlife", "Open For Business", "Pets", "Bon Voyage"})
        r.AddKey(LM, std::string("\\Software\\EA GAMES\\The Sims 2 ") + pack);
    ExpansionFlags all{true, true, true, true, true, true, true};
    EXPECT_EQ(ReadExpansionFlags(r), all);
}

// The registry lookups in order, with the fall-back to the local machine that then stays.
TEST(RegistryDiscoveryTest, DisplayNameAndLanguageFollowTheRootSwitch) {
    struct Case {
        const char* name;
        std::function<void(MemoryRegistry&)> layout;
        std::string displayName;
        std::optional<std::string> language;
    };
    const Case cases[] = {
        {"nothing installed", [](MemoryRegistry&) {}, "", std::nullopt},
        {"display name of the current user",
         [](MemoryRegistry& r) {
             r.SetString(CU, kBase, "DisplayName", "Mine");
             r.SetString(LM, kBase, "DisplayName", "Machine's");
         },
         "Mine", std::nullopt},
        {"empty display name falls back",
         [](MemoryRegistry& r) {
             r.SetString(CU, kBase, "DisplayName", "");
             r.SetString(LM, kBase, "DisplayName", "Machine's");
         },
         "Machine's", std::nullopt},
        {"University's language wins over the base game's",
         [](MemoryRegistry& r) {
             r.SetString(LM, kBase10, "LanguageName", "French");
             r.SetString(LM, kUni10, "LanguageName", "German");
         },
         "", "German"},
        {"a pack key without a language keeps the one found before",
         [](MemoryRegistry& r) {
             r.SetString(LM, kBase10, "LanguageName", "French");
             r.AddKey(LM, kBiz10);
         },
         "", "French"},
        {"once on the local machine the current user is not asked again",
         [](MemoryRegistry& r) {
             r.SetString(LM, kBase, "DisplayName", "Machine's");
             r.SetString(CU, kBase10, "LanguageName", "French");
             r.SetString(LM, kBase10, "LanguageName", "Dutch");
         },
         "Machine's", "Dutch"},
        {"a key missing for the current user switches for good",
         [](MemoryRegistry& r) {
             r.SetString(CU, kBase, "DisplayName", "Mine");
             r.SetString(CU, kBase10, "LanguageName", "French");
             r.SetString(LM, kUni10, "LanguageName", "German");
             r.SetString(CU, kNight10, "LanguageName", "Italian");  // never read
         },
         "Mine", "German"},
        {"the current user's language while its keys last",
         [](MemoryRegistry& r) {
             r.SetString(CU, kBase, "DisplayName", "Mine");
             r.SetString(CU, kBase10, "LanguageName", "French");
             r.SetString(CU, kUni10, "LanguageName", "Spanish");
             r.SetString(LM, kBase10, "LanguageName", "Dutch");
         },
         "Mine", "Spanish"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry r;
        c.layout(r);
        GameRegistration g = ReadGameRegistration(r);
        EXPECT_EQ(g.DisplayName, c.displayName);
        EXPECT_EQ(g.LanguageName, c.language);
    }
}

// Answers from a registry laid out in memory and notes each key asked for.
class RecordingRegistry final : public GameRegistry {
public:
    explicit RecordingRegistry(const MemoryRegistry& keys) : keys_(keys) {}
    bool KeyExists(RegistryRoot root, std::string_view key) const override {
        Asked.emplace_back(key);
        return keys_.KeyExists(root, key);
    }
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                          std::string_view name) const override {
        Asked.emplace_back(key);
        return keys_.ReadString(root, key, name);
    }
    mutable std::vector<std::string> Asked;

private:
    const MemoryRegistry& keys_;
};

// A Wine prefix's registry is read keeping only DiscoveryRegistryKeys(); a key discovery looked
// up outside them would always be missing. Each way through the lookups (the game for the
// current user, for the local machine, not at all) asks only for keys that are kept.
TEST(RegistryDiscoveryTest, EveryKeyLookedUpIsKeptFromAPrefixsRegistry) {
    test::TempDir documents;
    const std::function<void(MemoryRegistry&)> layouts[] = {
        [](MemoryRegistry&) {},
        [](MemoryRegistry& r) {
            r.SetString(CU, kBase, "DisplayName", "Mine");
            for (const char* key : {kBase10, kUni10, kNight10, kBiz10})
                r.SetString(CU, key, "LanguageName", "French");
        },
        [](MemoryRegistry& r) {
            r.SetString(LM, kBase, "DisplayName", "Machine's");
            r.SetString(LM, kUni10, "LanguageName", "German");
            r.AddKey(LM, "\\Software\\EA GAMES\\The Sims 2 Pets");
        },
    };
    const RegistryKeyFilter kept = DiscoveryRegistryKeys();
    for (std::size_t i = 0; i < std::size(layouts); ++i) {
        SCOPED_TRACE(i);
        MemoryRegistry keys;
        layouts[i](keys);
        const RecordingRegistry registry(keys);
        DiscoverStartup({&registry, documents.path(), std::nullopt, nullptr, {}});
        WineDocumentsFolder(documents / "prefix", registry, "bob");
        ASSERT_FALSE(registry.Asked.empty());
        for (const std::string& key : registry.Asked)
            EXPECT_TRUE(kept.Keeps(NormalizeRegistryKey(key))) << key;
    }
}

TEST(ProgramVersionTest, VersionTextOnlyForPrograms) {
    const std::string version = ProgramVersionText();
    EXPECT_EQ(version, std::to_string(KINLOOM_VERSION_MAJOR) + "." +
                           std::to_string(KINLOOM_VERSION_MINOR) + "." +
                           std::to_string(KINLOOM_VERSION_PATCH) + "  (Build " +
                           std::to_string(KINLOOM_BUILD_NUMBER) + ")");
    EXPECT_EQ(GetFileVersionText("C:\\Games\\Kinloom.EXE"), version);
    EXPECT_EQ(GetFileVersionText("/opt/kinloom/Images.Dll"), version);
    EXPECT_EQ(GetFileVersionText("/usr/bin/kinloom"), version);
    EXPECT_EQ(GetFileVersionText("/home/me/notes.txt"), "NA");
    EXPECT_EQ(GetFileVersionText("/usr/bin/"), "NA");
}

// A documents folder with the game's user-data folders in it.
class UserDataTest : public ::testing::Test {
protected:
    fs::path Game(const std::string& name, bool withNeighborhoods = true) {
        fs::path folder = documents / "EA Games" / PathFromUtf8(name);
        fs::create_directories(withNeighborhoods ? folder / "Neighborhoods" : folder);
        return folder;
    }
    test::TempDir dir;
    fs::path documents = dir / "Documents";
};

TEST_F(UserDataTest, ChoosesTheGamesFolder) {
    const std::string tm = "\xE2\x84\xA2";
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, bool>> folders;  // name, holds Neighborhoods
        std::string displayName;
        std::optional<std::string> chosen;  // folder name under EA Games
    };
    const Case cases[] = {
        {"the registry's folder",
         {{"The Sims 2", false}, {"The Sims 2 Legacy", true}},
         "The Sims 2",
         "The Sims 2"},
        {"the registry's folder in another case",
         {{"the sims 2", true}},
         "The Sims 2",
         "the sims 2"},
        {"no display name, one candidate",
         {{"The Sims" + tm + " 2 Ultimate Collection", true}},
         "",
         "The Sims" + tm + " 2 Ultimate Collection"},
        {"folder named by the registry missing",
         {{"The Sims 2 Legacy", true}},
         "The Sims 2",
         "The Sims 2 Legacy"},
        {"a candidate needs its Neighborhoods",
         {{"The Sims 2 Legacy", false}, {"The Sims 2 Ultimate Collection", true}},
         "",
         "The Sims 2 Ultimate Collection"},
        {"several: the one the registry names",
         {{"The Sims 2 Ultimate Collection", true}, {"The Sims 2 Legacy", true}},
         "The Sims" + tm + " 2 Ultimate Collection",
         "The Sims 2 Ultimate Collection"},
        {"a display name that leads out of EA Games",
         {{"The Sims 2 Legacy", true}},
         "..",
         "The Sims 2 Legacy"},
        {"other games are no candidates", {{"SimCity 4", true}}, "The Sims 2", "The Sims 2"},
        {"nothing at all", {}, "", "."},  // EA Games itself, where nothing is found
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(documents);
        fs::create_directories(documents);
        for (const auto& [folder, hood] : c.folders) Game(folder, hood);
        UserDataChoice choice = ChooseUserDataFolder(documents, c.displayName);
        EXPECT_EQ(choice.Termination, std::nullopt);
        ASSERT_TRUE(choice.Folder);
        // The folder itself; Windows spells it as asked, whatever case the disk has.
        const fs::path chosen = documents / "EA Games" / PathFromUtf8(*c.chosen);
        std::error_code ec;
        if (fs::exists(chosen))
            EXPECT_TRUE(fs::equivalent(*choice.Folder, chosen, ec)) << choice.Folder->string();
        else
            EXPECT_EQ(choice.Folder->lexically_relative(documents / "EA Games").lexically_normal(),
                      PathFromUtf8(*c.chosen).lexically_normal());
    }
}

TEST_F(UserDataTest, SeveralFoldersAndNoWayToChooseEndStartUp) {
    fs::path a = Game("The Sims 2 Legacy");
    fs::path b = Game("The Sims 2 Ultimate Collection");
    UserDataChoice choice = ChooseUserDataFolder(documents, "");
    EXPECT_EQ(choice.Folder, std::nullopt);
    ASSERT_TRUE(choice.Termination);
    EXPECT_NE(choice.Termination->find(a.string()), std::string::npos);
    EXPECT_NE(choice.Termination->find(b.string()), std::string::npos);
    EXPECT_NE(choice.Termination->find("--user-data"), std::string::npos);

    MemoryRegistry r;
    StartupOutcome o = DiscoverStartup({&r, documents, std::nullopt, nullptr, {}});
    EXPECT_EQ(o.Termination, choice.Termination);
    EXPECT_TRUE(o.State.Neighborhoods.empty());
}

TEST_F(UserDataTest, StartUpListsTheNeighborhoodsOfTheGame) {
    MemoryRegistry r;
    r.SetString(LM, kBase, "DisplayName", "The Sims 2");
    r.SetString(LM, kBase10, "LanguageName", "Japanese");
    r.AddKey(LM, "\\Software\\EA GAMES\\The Sims 2 Pets");
    MemorySettings settings;
    settings.WriteText("NGBD", "G001");
    const fs::path hoods = Game("The Sims 2") / "Neighborhoods";
    test::WriteNeighborhood(hoods, "N001", "Pleasantview");
    test::WriteNeighborhood(hoods, "G001", "Downtown");

    StartupOutcome o = DiscoverStartup({&r, documents, std::nullopt, &settings, {"/l", "1"}});
    EXPECT_EQ(o.Termination, std::nullopt);
    EXPECT_TRUE(o.Messages.empty());
    const StartupState& s = o.State;
    EXPECT_TRUE(s.Packs.HasPets);
    EXPECT_FALSE(s.Packs.HasUniversity);
    EXPECT_EQ(s.GameLanguage, 1);  // "/l" replaces the language but not its font
    EXPECT_EQ(s.LanguageFontName, "MS Gothic");
    EXPECT_EQ(s.LanguageFontCharset, 128);
    EXPECT_EQ(s.LastNeighborhood, "G001");
    EXPECT_EQ(s.UserDataFolder, documents / "EA Games" / "The Sims 2");
    EXPECT_EQ(s.NeighborhoodsFolder, hoods);
    ASSERT_EQ(s.Neighborhoods.size(), 2u);
    EXPECT_EQ(s.Neighborhoods[0].NGBDName, "Pleasantview");
    EXPECT_EQ(s.Neighborhoods[1].NGBDName, "Downtown");
}

TEST_F(UserDataTest, UserDataOptionSkipsTheSearch) {
    MemoryRegistry r;
    r.SetString(LM, kBase, "DisplayName", "The Sims 2");
    test::WriteNeighborhood(Game("The Sims 2") / "Neighborhoods", "N001", "Registry's");
    const fs::path mine = dir / "elsewhere";
    test::WriteNeighborhood(mine / "Neighborhoods", "N002", "Chosen");

    StartupOutcome o = DiscoverStartup({&r, documents, mine, nullptr, {}});
    EXPECT_EQ(o.State.UserDataFolder, mine);
    ASSERT_EQ(o.State.Neighborhoods.size(), 1u);
    EXPECT_EQ(o.State.Neighborhoods[0].NGBDName, "Chosen");
}

TEST_F(UserDataTest, NoNeighborhoodsEndsStartUp) {
    MemoryRegistry r;
    for (std::optional<fs::path> docs :
         {std::optional<fs::path>(documents), std::optional<fs::path>()}) {
        SCOPED_TRACE(docs ? "empty documents" : "no documents folder");
        StartupOutcome o = DiscoverStartup({&r, docs, std::nullopt, nullptr, {}});
        EXPECT_EQ(o.Termination, "Unable to continue, Game User Data Not Found.");
        EXPECT_TRUE(o.State.Neighborhoods.empty());
    }
}

TEST(StartupArgumentsTest, TakesTheFoldersAndLeavesTheRest) {
    StartupArguments a =
        ParseStartupArguments({"/l", "4", "--user-data", "/data/ud", "--wine-prefix=/p", "--demo"});
    EXPECT_EQ(a.UserData, fs::path("/data/ud"));
    EXPECT_EQ(a.WinePrefix, fs::path("/p"));
    EXPECT_EQ(a.Rest, (std::vector<std::string>{"/l", "4", "--demo"}));
    EXPECT_EQ(a.Error, std::nullopt);

    for (std::vector<std::string> bad :
         {std::vector<std::string>{"--user-data"}, std::vector<std::string>{"--wine-prefix="}}) {
        SCOPED_TRACE(bad[0]);
        EXPECT_TRUE(ParseStartupArguments(bad).Error);
    }
}

TEST(StartupArgumentsTest, AnythingTheWindowDoesNotTakeIsNamed) {
    const struct {
        std::vector<std::string> arguments;
        std::optional<std::string> stray;
    } cases[] = {
        {{}, std::nullopt},
        {{"/l", "4", "--user-data", "/ud"}, std::nullopt},
        {{"/L", "x"}, std::nullopt},  // an unusable number means English
        {{"--userdata", "/ud"}, "unknown option --userdata"},
        {{"--wine-prefix=/p", "-x"}, "unknown option -x"},
        {{"/q"}, "unknown option /q"},
        {{"N001"}, "unexpected argument N001"},
        {{"/l"}, "/l needs a language number"},
        {{"--user-data"}, "--user-data needs a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
        EXPECT_EQ(StrayArgument(ParseStartupArguments(c.arguments)), c.stray);
    }
}

}  // namespace
}  // namespace kinloom
