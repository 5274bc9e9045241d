#include <gtest/gtest.h>

#include <sstream>

#include "PackageBuilder.h"
#include "Platform.h"
#include "RunCli.h"
#include "ScopedEnvironment.h"
#include "WinePrefix.h"
#include "cli/Cli.h"
#include "core/packages/Package.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;

using test::RunCli;
using test::RunResult;

// A Wine prefix as a 64-bit Wine lays it out, with the game's keys in the 32-bit view.
class NeighborhoodsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        KINLOOM_LINUX_ONLY("the Windows build finds the game in its registry (checked end to end)");
        prefix.WriteSystemReg(
            {{"Software\\Wow6432Node\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {}},
             {"Software\\Wow6432Node\\EA GAMES\\The Sims 2\\1.0",
              {{"LanguageName", "English US"}},
              {}},
             {"Software\\Wow6432Node\\EA GAMES\\The Sims 2 University\\1.0",
              {{"LanguageName", "German"}},
              {}},
             {"Software\\Wow6432Node\\EA GAMES\\The Sims 2 Pets", {}, {}}});
        prefix.WriteUserReg({});
    }
    std::string Hood(const std::string& folder) const {
        return (fs::weakly_canonical(hoods) / folder / (folder + "_Neighborhood.package")).string();
    }
    test::TempDir dir;
    test::FakeWinePrefix prefix{dir / "prefix", "steamuser"};
    fs::path hoods = prefix.MakeUserData("The Sims 2") / "Neighborhoods";
};

TEST_F(NeighborhoodsCliTest, ListsTheNeighborhoodsOfAWinePrefix) {
    test::WriteNeighborhood(hoods, "G001", "Downtown", "", "1 - 23");
    fs::create_directories(hoods / "N001");
    test::PackageBuilder(24)
        .add(types::Version, 1, test::VersionPropertySet({{"0", "1"}, {"1", "76"}}))
        .add(types::TextList, 1,
             test::TextListContent({{1, "Pleasant\tview"}, {1, "Old"}, {4, "Sch\xC3\xB6ntal"}}))
        .write(hoods / "N001" / "N001_Neighborhood.package");
    fs::create_directories(hoods / "N002");  // no package
    fs::create_directories(hoods / "N003");
    test::PackageBuilder(24).write(hoods / "N003" / "N003_Neighborhood.package");

    RunResult r = RunCli({"neighborhoods", "--verbose", "--wine-prefix", prefix.Root().string()});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out, "N001\tSch\xC3\xB6ntal\t1 - 76\t" + Hood("N001") + "\n" +
                         "G001\tDowntown\t1 - 23\t" + Hood("G001") + "\n");
    EXPECT_NE(r.err.find("An Index Error was found in N003_Neighborhood.package "
                         "This neighborhood will be ignored.\n"),
              std::string::npos);
    EXPECT_NE(r.err.find("HasUniversity=1 HasNightlife=0 HasBusiness=0 HasPets=1"),
              std::string::npos);
    EXPECT_NE(r.err.find("GameLanguage=4\n"), std::string::npos);

    // "/l 1" reads the names of language 1 (a tab in a name cannot split the line).
    r = RunCli({"neighborhoods", "--wine-prefix", prefix.Root().string(), "/l", "1", "--verbose"});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "N001\tPleasant view\t1 - 76\t" + Hood("N001"));
    EXPECT_NE(r.err.find("GameLanguage=1\n"), std::string::npos);

    // Without --verbose only the messages a player needs reach the terminal.
    r = RunCli({"neighborhoods", "--wine-prefix", prefix.Root().string()});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.err.find("HasUniversity="), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("UserDataFolder="), std::string::npos) << r.err;
}

TEST_F(NeighborhoodsCliTest, UserDataFolderGivenDirectly) {
    const fs::path mine = dir / "My User Data";
    test::WriteNeighborhood(mine / "Neighborhoods", "N004", "Strangetown", "", "1 - 5");
    RunResult r = RunCli(
        {"neighborhoods", "--wine-prefix", prefix.Root().string(), "--user-data", mine.string()});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out, "N004\tStrangetown\t1 - 5\t" +
                         (mine / "Neighborhoods" / "N004" / "N004_Neighborhood.package").string() +
                         "\n");
}

TEST_F(NeighborhoodsCliTest, NothingFoundOrNotUnderstood) {
    RunResult r = RunCli({"neighborhoods", "--wine-prefix", prefix.Root().string()});
    EXPECT_EQ(r.code, kNoNeighborhoods);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Unable to continue, Game User Data Not Found.\n"), std::string::npos);

    r = RunCli({"neighborhoods", "--wine-prefix", (dir / "no prefix").string()});
    EXPECT_EQ(r.code, kNoNeighborhoods);

    for (std::vector<std::string> bad : {std::vector<std::string>{"neighborhoods", "--user-data"},
                                         std::vector<std::string>{"neighborhoods", "extra"}}) {
        SCOPED_TRACE(bad.back());
        r = RunCli(bad);
        EXPECT_EQ(r.code, kUsage);
        EXPECT_NE(r.err.find("usage: kinloom-cli"), std::string::npos);
    }
}

// Without options the launchers' places in the home are searched; several copies keep the
// message and exit code of several user-data folders, and --all lists them.
TEST_F(NeighborhoodsCliTest, EveryCopyOfTheGameIsListedWithAll) {
    const fs::path home = dir / "home";
    test::ScopedEnvironment homeVariable("HOME", home.string());
    test::ScopedEnvironment noPrefix("WINEPREFIX", std::nullopt);
    test::ScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
    test::ScopedEnvironment noData("XDG_DATA_HOME", std::nullopt);
    const fs::path bottle = home / ".local" / "share" / "bottles" / "bottles" / "Sims";
    const fs::path pol = home / ".PlayOnLinux" / "wineprefix" / "Sims2";
    for (const fs::path& root : {bottle, pol}) {
        test::FakeWinePrefix p(root, "steamuser");
        p.WriteSystemReg({{"Software\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {}}});
        p.WriteUserReg({});
        test::WriteNeighborhood(p.MakeUserData("The Sims 2") / "Neighborhoods", "N001", "Hood");
    }

    RunResult r = RunCli({"neighborhoods"});
    EXPECT_EQ(r.code, kNoNeighborhoods);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Several game user-data folders were found: "), std::string::npos);
    EXPECT_NE(r.err.find(" (PlayOnLinux prefix " + pol.string() + ")"), std::string::npos);

    const auto data = [](const fs::path& root) {
        return fs::weakly_canonical(root / "drive_c" / "users" / "steamuser" / "Documents" /
                                    "EA Games" / "The Sims 2")
            .string();
    };
    r = RunCli({"neighborhoods", "--all"});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out, "The Sims 2\tBottles\t" + bottle.string() + "\t" + data(bottle) + "\t1\n" +
                         "The Sims 2\tPlayOnLinux\t" + pol.string() + "\t" + data(pol) + "\t1\n");

    // A prefix named: its copies only; a folder named: that one.
    r = RunCli({"neighborhoods", "--all", "--wine-prefix", pol.string()});
    EXPECT_EQ(r.out, "The Sims 2\tWine\t" + pol.string() + "\t" + data(pol) + "\t1\n");
    r = RunCli({"neighborhoods", "--wine-prefix", pol.string()});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out.substr(0, 5), "N001\t");

    fs::remove_all(home);
    r = RunCli({"neighborhoods", "--all"});
    EXPECT_EQ(r.code, kNoNeighborhoods);
    EXPECT_NE(r.err.find("Unable to continue, Game User Data Not Found.\n  Not there: ~/.wine, "),
              std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace kinloom::cli
