#include "editing/ParentTies.h"

#include "editing/FamilyTree.h"

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

std::optional<std::uint16_t> NumberAt(const LoadedNeighborhood& hood, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= hood.Sims.size()) return std::nullopt;
    return SimNumber(*hood.Sims[static_cast<std::size_t>(position)]);
}

bool ValidPosition(const LoadedNeighborhood& hood, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < hood.Sims.size();
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
    current = position;
    RebuildParentTies(hood.FamilyTies, *NumberAt(hood, selected), NumberAt(hood, shown.First),
                      NumberAt(hood, shown.Second));
    return true;
}

bool RemoveParent(LoadedNeighborhood& hood, int selected, ParentRole role, ParentPositions& shown) {
    int& current = role == ParentRole::First ? shown.First : shown.Second;
    if (!ValidPosition(hood, selected) || current < 0) return false;
    current = -1;
    RebuildParentTies(hood.FamilyTies, *NumberAt(hood, selected), NumberAt(hood, shown.First),
                      NumberAt(hood, shown.Second));
    return true;
}

}  // namespace kinloom
