#pragma once
// What the family tree page shows for one sim, read from the neighborhood's family ties and the
// sim list: its parents and spouse (as positions in the sim list), its children and siblings
// (sorted as the page lists them), and one diagnostic line per tie shown. Also the candidates of
// the family-tie dialog that chooses a new parent.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/editing/DescriptionIndex.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/records/Character.h"
#include "core/records/FamilyTies.h"

namespace kinloom {

namespace tiekinds {
inline constexpr std::uint32_t FirstParent = 0;
inline constexpr std::uint32_t SecondParent = 1;
inline constexpr std::uint32_t Spouse = 2;
inline constexpr std::uint32_t Sibling = 3;
inline constexpr std::uint32_t Child = 4;
}  // namespace tiekinds

// "First Parent" ... "Child"; any other kind as its number.
std::string TieKindLabel(std::uint32_t kind);

// The number ties name a sim by: the low 16 bits of its description instance. A sim that matched
// no sim description has none: the neighborhood keeps no family for it, so it has no relatives,
// is nobody's parent, sibling or child, and no tie may name it (the low bits of the "no
// description" marker would name a sim 65535 shared by every such sim).
inline std::optional<std::uint16_t> SimNumber(const Character& sim) {
    if (sim.DescriptionInstance == kNoDescription) return std::nullopt;
    return static_cast<std::uint16_t>(sim.DescriptionInstance & 0xFFFF);
}

inline bool HasTieNumber(const Character& sim) {
    return SimNumber(sim).has_value();
}

// Why a sim without a description cannot have its parents changed.
inline constexpr const char* kNoFamilyTiesForSim =
    "This sim has no sim description in the neighborhood, so it can have no family ties: its "
    "parents cannot be changed, and it cannot be chosen as a parent.";

// First name, a blank, last name, each decoded and trimmed: a relative's hint and list text.
std::u16string SimName(const Character& sim);

// Relatives outside every household are drawn in grey.
inline bool DrawnGrey(const Character& sim) {
    return sim.FamilyNumber == 0;
}

// Position in the sim list of the first sim a tie's 16-bit number names; -1 when none. A sim
// without a description is never found.
int SimPosition(const LoadedNeighborhood& hood, std::uint16_t number);

// Position of the first sim whose whole description instance equals the given one: where a
// choice from the children, siblings or household members lists leads; -1 selects nothing, as
// does the "no description" marker, which every sim without a description shares.
int SimPositionByInstance(const LoadedNeighborhood& hood, std::uint32_t descriptionInstance);

struct Relative {
    Character* Sim = nullptr;
    std::u16string Name;
};

struct FamilyView {
    // Positions in the sim list; -1 when nobody is shown. A later tie of the same kind wins.
    int FirstParent = -1;
    int SecondParent = -1;
    int Spouse = -1;
    std::vector<Relative> Children;  // sorted by name regardless of case
    std::vector<Relative> Siblings;
    // Per tie shown, in tie order: name " - (" label ") " owner ":" kind ":" relative.
    std::vector<std::u16string> Memo;
};

// The ties owned by sim whose relative is in the sim list; others are skipped (and kept). A sim
// without a description has an empty view.
FamilyView FamilyOf(const LoadedNeighborhood& hood, const Character& sim);

struct ParentCandidates {
    std::vector<Relative> Entries;  // Name is the sim list's own label
    int Preselected = -1;           // the entry of the parent shown now; -1 for none
};

// The family-tie dialog's list when choosing the parent shown at position current (-1: none)
// while the other parent is shown at position other: every sim of the list, in list order,
// except the sim itself, the other parent and the sims without a description (no tie can name
// them). Empty when the selected sim has no description itself.
ParentCandidates ParentCandidatesFor(const LoadedNeighborhood& hood, int selected, int current,
                                     int other);

}  // namespace kinloom
