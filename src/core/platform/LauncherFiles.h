#pragma once
// The game launchers' own files that say where their Wine prefixes are: Steam's list of library
// folders, Lutris's game files and Heroic's game settings. Each reader takes the file's text, never
// trusts it, and returns what it could read (nothing for text it does not understand).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinloom {

// The library folders listed in Steam's steamapps/libraryfolders.vdf: the "path" of each entry
// under "libraryfolders", or, in the older form, each numbered value there. Text past a fault (an
// unclosed string, braces nested deeper than any Steam file) is ignored.
std::vector<std::string> SteamLibraryFolders(std::string_view vdfText);

// The prefix a Lutris game file (YAML) names under game: prefix; nullopt when it names none or
// the text is not YAML.
std::optional<std::string> LutrisGamePrefix(std::string_view yamlText);

// Every "winePrefix" text in a Heroic settings file (JSON): the per-game settings hold one under
// each game, config.json one under defaultSettings. Empty for text that is not JSON.
std::vector<std::string> HeroicWinePrefixes(std::string_view jsonText);

}  // namespace kinloom
