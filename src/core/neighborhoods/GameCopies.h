#pragma once
// Every copy of the game found on this machine: each Wine prefix whose registry names an edition
// of the game, and each user-data folder in that prefix's documents folder. Players keep several
// (the retail game and the Ultimate Collection, or one prefix per launcher) and choose among them.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/GameRegistry.h"
#include "core/platform/WinePrefixSearch.h"

namespace kinloom {

struct GameCopy {
    std::string Edition;   // the user-data folder's name ("The Sims 2 Ultimate Collection")
    std::string Launcher;  // where its prefix came from ("Steam"); empty without a prefix
    std::optional<std::filesystem::path> WinePrefix;
    std::filesystem::path UserDataFolder;
    std::size_t NeighborhoodCount = 0;  // folders holding a neighborhood package
    // The prefix's registry as the search read it (the keys discovery reads): the discovery of
    // the one copy found takes it rather than reading the registry again. Null otherwise.
    std::shared_ptr<const GameRegistry> Registry = nullptr;
};

struct GameCopySearch {
    std::vector<GameCopy> Copies;
    std::vector<std::string> Looked;  // each prefix passed over, and why
};

// The neighborhood folders of a user-data folder that hold their neighborhood package.
std::size_t CountNeighborhoods(const std::filesystem::path& userDataFolder);

// The copies in the prefixes found. A prefix counts when its registry names an edition of the
// game; its user's documents folder (userName's, else the prefix's only user) is then searched.
GameCopySearch FindGameCopies(const std::vector<FoundPrefix>& prefixes, std::string_view userName);

// The message for several copies and nothing to choose by: each folder with its prefix.
std::string SeveralCopiesText(const std::vector<GameCopy>& copies);

// The copies for user-data folders found side by side in one documents folder.
std::vector<GameCopy> CopiesOfFolders(const std::vector<std::filesystem::path>& folders,
                                      const std::optional<std::filesystem::path>& winePrefix,
                                      const std::string& launcher);

}  // namespace kinloom
