#pragma once
// Where the window's start-up takes its game from: the game on this machine (through its
// registry and documents folder), a user-data folder named on the command line or chosen by the
// player, or the demo neighborhoods, which open only when asked for: invented neighborhoods must
// never pass for the player's own.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/neighborhoods/Discovery.h"

namespace kinloom {

class Settings;

struct StartupRequest {
    std::vector<std::string> Arguments;  // the command line without the program, "/l" included
    bool Demo = false;                   // --demo
    const Settings* Stored = nullptr;
    std::filesystem::path DemoFolder;  // where the demo user-data folder lives
    // The game's registry and documents; the machine's own by default (tests give their own).
    std::function<GamePlatform(const std::optional<std::filesystem::path>& winePrefix)> Platform;
};

struct StartupSource {
    StartupOutcome Outcome;
    std::filesystem::path Documents;  // home of the default backup archive
    bool Demo = false;                // the demo neighborhoods were opened
    std::optional<std::string> ArgumentError;
    // No game's user data was found (or the folder named holds none): the window says
    // kUserDataNotFound with where it looked, one place per line, and lets the player choose.
    bool GameMissing = false;
    std::vector<std::string> Looked;
};

// What the player chose after no game was found: a user-data folder, a Wine prefix, or the demo.
struct GameChoice {
    std::optional<std::filesystem::path> UserData;
    std::optional<std::filesystem::path> WinePrefix;
    bool Demo = false;
};

// The request run again with the player's choice, which replaces the folder options given.
StartupRequest WithChoice(StartupRequest request, const GameChoice& choice);

// Where the player's choice of game is kept between runs.
inline constexpr const char* kGameUserDataSetting = "GameUserData";
inline constexpr const char* kGameWinePrefixSetting = "GameWinePrefix";

// Keeps a chosen folder or prefix once it opened a game, so the next start finds the game there;
// a choice that found nothing (or the demo) is not kept.
void RememberChoice(Settings& settings, const GameChoice& choice, const StartupSource& opened);

// The demo user-data folder: $XDG_DATA_HOME/kinloom/demo, else ~/.local/share/kinloom/demo.
std::filesystem::path DefaultDemoFolder();

// Runs the discovery for the window: the demo with --demo only; otherwise the game, and when no
// Neighborhoods folder is found, GameMissing with the places looked at. Without folder options
// a remembered choice is used while it still exists (a remembered prefix after $WINEPREFIX). The
// demo is written once; an existing one is opened as it is, so edits made in it survive.
StartupSource DiscoverStartupSource(const StartupRequest& request);

}  // namespace kinloom
