#pragma once
// Where the window's start-up takes its game from: the game on this machine (through its
// registry and documents folder), a user-data folder named on the command line or chosen by the
// player, or the demo neighborhoods, which open only when asked for: invented neighborhoods must
// never pass for the player's own.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/neighborhoods/Discovery.h"
#include "core/neighborhoods/GameCopies.h"
#include "core/platform/WinePrefixSearch.h"

namespace kinloom {

class Settings;

struct StartupRequest {
    std::vector<std::string> Arguments;  // the command line without the program, "/l" included
    bool Demo = false;                   // --demo
    const Settings* Stored = nullptr;
    std::filesystem::path DemoFolder;  // where the demo user-data folder lives
    // The game's registry and documents; the machine's own by default (tests give their own).
    std::function<GamePlatform(const std::optional<std::filesystem::path>& winePrefix)> Platform;
    // Where the launchers keep their prefixes; the user's own home by default.
    std::optional<LauncherHome> Home;
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
    // Several copies of the game were found and nothing chooses one: the window lists them for
    // the player (the termination holds the same list as text).
    bool SeveralGames = false;
    std::vector<GameCopy> Copies;
};

// What the player chose: a user-data folder, a Wine prefix (or both: one copy of several), or the
// demo.
struct GameChoice {
    std::optional<std::filesystem::path> UserData;
    std::optional<std::filesystem::path> WinePrefix;
    bool Demo = false;
};

// The request run again with the player's choice, which replaces the folder options given; a
// choice naming no folder and not the demo leaves the request as it is.
StartupRequest WithChoice(StartupRequest request, const GameChoice& choice);

// Where the player's choice of game is kept between runs.
inline constexpr const char* kGameUserDataSetting = "GameUserData";
inline constexpr const char* kGameWinePrefixSetting = "GameWinePrefix";

// Keeps a chosen folder and prefix once they opened a game, so the next start finds the game
// there; a choice that found nothing (or the demo) is not kept.
void RememberChoice(Settings& settings, const GameChoice& choice, const StartupSource& opened);

// The demo user-data folder: $XDG_DATA_HOME/kinloom/demo, else ~/.local/share/kinloom/demo.
std::filesystem::path DefaultDemoFolder();

// Where the game is when no folder option names it: a user-data folder inside a prefix takes that
// prefix's registry; without folder options, $WINEPREFIX and a home, the launchers' prefixes are
// searched and the one copy found is used (several are returned for the player to choose).
struct GameLocation {
    StartupArguments Arguments;  // with the folder and prefix to use filled in
    bool Searched = false;       // the launchers' places were searched
    PrefixSearch Places;
    GameCopySearch Found;
    // The registry of the prefix located, when the search read it: the discovery that follows
    // takes it rather than reading the prefix's registry again.
    std::shared_ptr<const GameRegistry> Registry = nullptr;
};

GameLocation LocateGame(StartupArguments parsed, const std::optional<LauncherHome>& home);

// Every copy of the game the options lead to: the folder named, the copies in the prefix named
// (or $WINEPREFIX's), or those of every launcher's prefixes.
GameLocation AllGameCopies(const StartupArguments& parsed, const std::optional<LauncherHome>& home);

// The places looked at, for the player: those searched and what each held, the prefixes passed
// over and why, and the places that do not exist, on one line.
std::vector<std::string> SearchedPlaces(const GameLocation& location);

// Runs the discovery for the window: the demo with --demo only; otherwise the game, and when no
// Neighborhoods folder is found, GameMissing with the places looked at. Without folder options
// a remembered choice is used while it still exists (a remembered prefix after $WINEPREFIX). The
// demo is written once; an existing one is opened as it is, so edits made in it survive.
StartupSource DiscoverStartupSource(const StartupRequest& request);

}  // namespace kinloom
