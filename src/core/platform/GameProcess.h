#pragma once
// Whether the game is running. Nothing stops the game from opening a package while Kinloom
// writes it (under Wine in particular), so loading and saving look for it first and warn.

#include <filesystem>
#include <string>
#include <vector>

namespace kinloom {

// The command lines (arguments joined by blanks) of running processes that name a "Sims2*.exe"
// program, regardless of case and of the folder it is in. procRoot is the process table
// (Linux: /proc); on Windows the system's process list is used and procRoot is ignored. A process
// whose command line cannot be read (it ended meanwhile) is passed over; nothing is thrown.
std::vector<std::string> RunningGameProcesses(const std::filesystem::path& procRoot = "/proc");

// Whether one command-line argument names the game's program.
bool NamesGameProgram(const std::string& argument);

// The warning shown before loading or saving while the game runs.
inline constexpr const char* kGameRunningWarning =
    "The Sims 2 appears to be running. Changing a neighborhood while the game has it open can "
    "damage it.\r\nClose the game first. Continue anyway?";

}  // namespace kinloom
