#include "core/editing/NameLists.h"

#include <algorithm>

namespace kinloom {

std::optional<std::string> SimNamesRefusal(const Character& sim) {
    if (sim.HasNameList) return std::nullopt;
    return "The names of " + sim.FileName +
           " cannot be changed: its character package holds no name list, so a new name or "
           "description could not be saved.";
}

std::optional<std::string> HouseholdNamesRefusal(const LoadedNeighborhood& state,
                                                 const Household& household) {
    const EntryList& index = state.NeighborhoodIndex;
    const bool named = std::any_of(index.begin(), index.end(), [&](const PackageIndexEntry& e) {
        return e.Type == types::HouseholdText && e.Instance == household.Instance;
    });
    if (named) return std::nullopt;
    return "The household's name cannot be changed: the neighborhood package holds no name list "
           "for it, so a new name or description could not be saved.";
}

std::optional<std::string> NeighborhoodNamesRefusal(const LoadedNeighborhood& state) {
    if (FindFirst(state.NeighborhoodIndex, types::TextList)) return std::nullopt;
    return "The neighborhood's name cannot be changed: its package holds no name list, so a new "
           "name or description could not be saved.";
}

}  // namespace kinloom
