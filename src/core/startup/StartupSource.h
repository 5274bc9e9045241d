#pragma once
// Where the window's start-up takes its game from: the game on this machine (through its
// registry and documents folder), a user-data folder named on the command line, or the demo
// neighborhoods, which a newcomer without the game sees at once.

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
};

// The demo user-data folder: $XDG_DATA_HOME/kinloom/demo, else ~/.local/share/kinloom/demo.
std::filesystem::path DefaultDemoFolder();

// Runs the discovery for the window. Without --user-data, a machine on which no game's
// Neighborhoods folder exists opens the demo instead. The demo is written once; an existing one
// is opened as it is, so edits made in it survive.
StartupSource DiscoverStartupSource(const StartupRequest& request);

}  // namespace kinloom
