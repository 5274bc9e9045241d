#pragma once
// Names and descriptions are saved by replacing their name list whole. A package that holds no
// name list has nowhere to keep a new name, so such a name edit is refused when it is made,
// rather than reported saved and lost.

#include <optional>
#include <string>

#include "core/editing/LoadedNeighborhood.h"

namespace kinloom {

// Why the sim's first and last name and description cannot be changed; nullopt when they can.
std::optional<std::string> SimNamesRefusal(const Character& sim);

// Why the household's name and description cannot be changed (the neighborhood package holds no
// name list with the household's instance); nullopt when they can.
std::optional<std::string> HouseholdNamesRefusal(const LoadedNeighborhood& state,
                                                 const Household& household);

// Why the neighborhood's name and description cannot be changed; nullopt when they can.
std::optional<std::string> NeighborhoodNamesRefusal(const LoadedNeighborhood& state);

}  // namespace kinloom
