#include "core/editing/ParentTies.h"

#include "core/editing/FamilyTree.h"

namespace kinloom {

namespace {

bool IsParentOrSibling(std::uint32_t kind) {
    return kind == tiekinds::FirstParent || kind == tiekinds::SecondParent ||
           kind == tiekinds::Sibling;
}

void AppendPair(std::vector<FamilyTie>& ties, std::uint16_t a, std::uint32_t kindOfA,
                std::uint16_t b, std::uint32_t kindOfB) {
    ties.push_back({a, kindOfA, b});
    ties.push_back({b, kindOfB, a});
}

bool OwnsTieTo(const std::vector<FamilyTie>& ties, std::uint16_t owner, std::uint16_t relative) {
    for (const FamilyTie& tie : ties)
        if (tie.Owner == owner && tie.Relative == relative) return true;
    return false;
}

// The tie number of the sim at position; none past the list or for a sim without a description.
std::optional<std::uint16_t> NumberAt(const LoadedNeighborhood& hood, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= hood.Sims.size()) return std::nullopt;
    return SimNumber(*hood.Sims[static_cast<std::size_t>(position)]);
}

bool ValidPosition(const LoadedNeighborhood& hood, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < hood.Sims.size();
}

ParentRole Other(ParentRole role) {
    return role == ParentRole::First ? ParentRole::Second : ParentRole::First;
}

// The parent in role that a rebuild must keep: the one shown at position, else the sim whose tie
// the page could not show because it is not in the sim list (its character package was skipped,
// say). Dropping that tie would lose the parent for good when the neighborhood is saved.
std::optional<std::uint16_t> KeptParent(const LoadedNeighborhood& hood, std::uint16_t sim,
                                        ParentRole role, int position) {
    if (position >= 0) return NumberAt(hood, position);
    const std::uint32_t kind =
        role == ParentRole::First ? tiekinds::FirstParent : tiekinds::SecondParent;
    std::optional<std::uint16_t> unlisted;
    for (const FamilyTie& tie : hood.FamilyTies)
        if (tie.Owner == sim && tie.Kind == kind && SimPosition(hood, tie.Relative) < 0)
            unlisted = tie.Relative;  // a later tie wins, as on the page
    return unlisted;
}

}  // namespace

void RemoveParentTies(std::vector<FamilyTie>& ties, std::uint16_t sim) {
    for (std::size_t i = ties.size(); i-- > 0;) {
        // Mirror deletions below shrink the list under the walk.
        if (i >= ties.size()) continue;
        const FamilyTie tie = ties[i];
        if (tie.Owner != sim || !IsParentOrSibling(tie.Kind)) continue;
        ties.erase(ties.begin() + static_cast<std::ptrdiff_t>(i));
        for (std::size_t j = ties.size(); j-- > 0;) {
            const FamilyTie& mirror = ties[j];
            // A spouse tie stays even where it names the same sim: the marriage is not changed
            // here, and dropping one side would leave the other pointing at nobody.
            if (mirror.Owner == tie.Relative && mirror.Relative == sim &&
                mirror.Kind != tiekinds::Spouse)
                ties.erase(ties.begin() + static_cast<std::ptrdiff_t>(j));
        }
    }
}

void AddParentTies(std::vector<FamilyTie>& ties, std::uint16_t sim,
                   std::optional<std::uint16_t> firstParent,
                   std::optional<std::uint16_t> secondParent) {
    if (firstParent) {
        for (std::size_t i = ties.size(); i-- > 0;) {
            const FamilyTie tie = ties[i];
            // A stale child tie naming the sim itself would make it its own sibling.
            if (tie.Owner == *firstParent && tie.Kind == tiekinds::Child && tie.Relative != sim)
                AppendPair(ties, sim, tiekinds::Sibling, tie.Relative, tiekinds::Sibling);
        }
        AppendPair(ties, sim, tiekinds::FirstParent, *firstParent, tiekinds::Child);
    }
    if (secondParent) {
        for (std::size_t i = ties.size(); i-- > 0;) {
            const FamilyTie tie = ties[i];
            if (tie.Owner == *secondParent && tie.Kind == tiekinds::Child && tie.Relative != sim &&
                !OwnsTieTo(ties, sim, tie.Relative))
                AppendPair(ties, sim, tiekinds::Sibling, tie.Relative, tiekinds::Sibling);
        }
        AppendPair(ties, sim, tiekinds::SecondParent, *secondParent, tiekinds::Child);
    }
}

void RebuildParentTies(std::vector<FamilyTie>& ties, std::uint16_t sim,
                       std::optional<std::uint16_t> firstParent,
                       std::optional<std::uint16_t> secondParent) {
    RemoveParentTies(ties, sim);
    AddParentTies(ties, sim, firstParent, secondParent);
}

bool ChangeParent(LoadedNeighborhood& hood, int selected, ParentRole role, const Character* chosen,
                  ParentPositions& shown) {
    if (!chosen || !ValidPosition(hood, selected)) return false;
    const int position = SimPositionByInstance(hood, chosen->DescriptionInstance);
    int& current = role == ParentRole::First ? shown.First : shown.Second;
    const int other = role == ParentRole::First ? shown.Second : shown.First;
    if (position < 0 || position == current || position == selected || position == other)
        return false;
    // A sim without a description can neither have parents nor be one: no tie may name it.
    const std::optional<std::uint16_t> self = NumberAt(hood, selected);
    const std::optional<std::uint16_t> parent = NumberAt(hood, position);
    if (!self || !parent) return false;
    const std::optional<std::uint16_t> kept = KeptParent(hood, *self, Other(role), other);
    // Ties name sims by 16 bits only: a different sim with the same number would make the sim its
    // own parent, or one sim both of its parents.
    if (parent == self || parent == kept) return false;
    current = position;
    if (role == ParentRole::First)
        RebuildParentTies(hood.FamilyTies, *self, parent, kept);
    else
        RebuildParentTies(hood.FamilyTies, *self, kept, parent);
    hood.FamilyTiesModified = true;
    return true;
}

bool RemoveParent(LoadedNeighborhood& hood, int selected, ParentRole role, ParentPositions& shown) {
    int& current = role == ParentRole::First ? shown.First : shown.Second;
    if (!ValidPosition(hood, selected) || current < 0) return false;
    const std::optional<std::uint16_t> self = NumberAt(hood, selected);
    if (!self) return false;
    const int other = role == ParentRole::First ? shown.Second : shown.First;
    const std::optional<std::uint16_t> kept = KeptParent(hood, *self, Other(role), other);
    current = -1;
    if (role == ParentRole::First)
        RebuildParentTies(hood.FamilyTies, *self, std::nullopt, kept);
    else
        RebuildParentTies(hood.FamilyTies, *self, kept, std::nullopt);
    hood.FamilyTiesModified = true;
    return true;
}

}  // namespace kinloom
