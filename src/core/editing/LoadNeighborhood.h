#pragma once
// Loading one neighborhood from disk: its package, then every character package of its
// Characters folder. Damaged character packages are reported and skipped; the rest loads.

#include <optional>
#include <string>

#include "core/editing/DescriptionIndex.h"
#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

struct LoadOutcome {
    // Nothing loaded: the package is missing (silently), its index is unusable (reported), or a
    // neighborhood-wide entry is damaged (Failure says how; the caller shows it).
    bool Loaded = false;
    std::optional<std::string> Failure;
};

// Loads the neighborhood into state (emptied first). The label form is the "Sort" setting's.
LoadOutcome LoadNeighborhood(const Neighborhood& neighborhood, LoadedNeighborhood& state,
                             LabelForm form, EditingContext& context);

// Loads one character package into a new record (thumbnail, names, body properties, matched sim
// description); nullptr after reporting a damaged package.
std::unique_ptr<Character> LoadCharacter(const std::filesystem::path& file,
                                         const SimDescriptionIndex& descriptions,
                                         EditingContext& context);

// The characters folder of a neighborhood package: "Characters" beside it, found regardless of
// case (a game copied from Windows may spell it otherwise).
std::filesystem::path CharactersFolderOf(const std::filesystem::path& packagePath);

// "*.package" files of a folder, regardless of case, in name order.
std::vector<std::filesystem::path> PackageFilesIn(const std::filesystem::path& folder);

}  // namespace kinloom
