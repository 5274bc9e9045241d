#pragma once
// Changing who a sim's parents are. The sim's parent and sibling ties (and their mirrors) are
// taken out of the neighborhood's family ties and built again from the parents now shown:
// siblings are the children of those parents. Spouse ties are never touched. Appended ties go
// to the end of the list. Sims are named by their tie numbers (SimNumber), which a sim without
// a description does not have, so no tie naming such a sim is ever made.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"
#include "core/records/FamilyTies.h"

namespace kinloom {

// Removes every parent and sibling tie owned by sim and, for each, the ties its relative holds
// towards sim (every kind but a spouse tie). Walks from the last tie to the first.
void RemoveParentTies(std::vector<FamilyTie>& ties, std::uint16_t sim);

// Appends the ties of sim to its first and second parent (each when given) and the sibling pairs
// with their children; a child of both parents gets one sibling pair.
void AddParentTies(std::vector<FamilyTie>& ties, std::uint16_t sim,
                   std::optional<std::uint16_t> firstParent,
                   std::optional<std::uint16_t> secondParent);

// Both of the above: the sim's parent and sibling ties rebuilt from the parents given.
void RebuildParentTies(std::vector<FamilyTie>& ties, std::uint16_t sim,
                       std::optional<std::uint16_t> firstParent,
                       std::optional<std::uint16_t> secondParent);

enum class ParentRole { First, Second };

// The parents the family tree page shows: positions in the sim list, -1 for none.
struct ParentPositions {
    int First = -1;
    int Second = -1;
};

// The family-tie dialog chose chosen (nullptr: no entry chosen) as the selected sim's parent in
// role. The sim meant is the first of the sim list with the chosen one's description instance.
// Nothing changes, and false is returned, when nothing was chosen, when that sim is already
// shown in the role, when it is the sim itself or its other parent (also by a sim number they
// share), or when either the selected sim or the chosen one has no description (no tie number;
// the page says why, kNoFamilyTiesForSim). Otherwise the shown position becomes the chosen
// sim's, the ties are rebuilt, the neighborhood's ties are marked modified and true is returned
// (the caller shows the Save button and reopens the page).
//
// The other parent is kept: the one shown, or, when none is shown, the one a tie names that
// is not in the sim list.
bool ChangeParent(LoadedNeighborhood& hood, int selected, ParentRole role, const Character* chosen,
                  ParentPositions& shown);

// Removes the parent shown in role and rebuilds the ties from the other parent (kept as above);
// the ties are marked modified. False, with nothing changed, when no parent is shown in role or
// the selected sim has no description.
bool RemoveParent(LoadedNeighborhood& hood, int selected, ParentRole role, ParentPositions& shown);

}  // namespace kinloom
