// Where the window's start-up takes its game from: the demo when no game is found, a folder
// named on the command line as given.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PackageBuilder.h"
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

    // A machine without the game: an empty registry and an empty documents folder.
    StartupRequest Request(std::vector<std::string> arguments) {
        StartupRequest r;
        r.Arguments = std::move(arguments);
        r.Stored = &settings;
        r.DemoFolder = temp / "share" / "demo";
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

TEST_F(StartupSourceTest, NoGameOpensTheDemoAndKeepsItsEdits) {
    StartupSource first = DiscoverStartupSource(Request({}));
    EXPECT_TRUE(first.Demo);
    ASSERT_FALSE(first.Outcome.Termination) << *first.Outcome.Termination;
    EXPECT_EQ(first.Outcome.State.Neighborhoods.size(), 3u);
    EXPECT_TRUE(first.Outcome.State.Packs.HasFreeTime);
    EXPECT_EQ(first.Outcome.State.GameLanguage, 1);

    // A second start opens the same folder as it is: nothing is written over a player's edits.
    const fs::path marker = temp / "share" / "demo" / "Neighborhoods" / "edited.txt";
    { std::ofstream(marker) << "kept"; }
    StartupSource second = DiscoverStartupSource(Request({"/l", "3"}));
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
    EXPECT_FALSE(fs::exists(temp / "share" / "demo"));

    WriteDemoUserData(temp / "game", DemoOptions{});
    source = DiscoverStartupSource(Request({"--user-data", (temp / "game").string()}));
    EXPECT_FALSE(source.Demo);
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

}  // namespace
}  // namespace kinloom
