#pragma once
// Where Linux players keep Wine prefixes: plain Wine, Lutris, Steam (Proton), Bottles, Heroic and
// PlayOnLinux, native and Flatpak. Only the places these launchers use are looked at, one folder
// level at a time, so the search stays fast and a symbolic-link loop is never walked.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kinloom {

// The folders the launchers keep their files under.
struct LauncherHome {
    std::filesystem::path Home;
    std::filesystem::path ConfigHome;  // $XDG_CONFIG_HOME, else ~/.config
    std::filesystem::path DataHome;    // $XDG_DATA_HOME, else ~/.local/share

    explicit LauncherHome(std::filesystem::path home);
    // From $HOME and the XDG variables; nullopt without a home.
    static std::optional<LauncherHome> FromEnvironment();
};

struct FoundPrefix {
    std::filesystem::path Prefix;
    std::string Launcher;  // "Wine", "Lutris", "Steam", "Bottles", "Heroic", "PlayOnLinux"
};

struct PrefixSearch {
    std::vector<FoundPrefix> Prefixes;  // each prefix once, in the order of the places above
    std::vector<std::string> Looked;    // each place that exists, with what it held
    std::vector<std::string> Absent;    // each place that does not exist
};

// A folder is a prefix when it holds drive_c and one of Wine's registry files.
bool IsWinePrefix(const std::filesystem::path& folder);

// The prefix a folder lies in (the folder itself or the nearest folder above it that is a
// prefix); nullopt outside any prefix.
std::optional<std::filesystem::path> PrefixHolding(const std::filesystem::path& folder);

PrefixSearch FindWinePrefixes(const LauncherHome& home);

}  // namespace kinloom
