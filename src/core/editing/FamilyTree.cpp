#include "core/editing/FamilyTree.h"

#include <algorithm>

#include "core/editing/SimLabels.h"
#include "core/packages/Utf8.h"

namespace kinloom {

namespace {

std::u16string Widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

void SortByName(std::vector<Relative>& list) {
    std::stable_sort(list.begin(), list.end(), [](const Relative& a, const Relative& b) {
        return LabelLess(a.Name, b.Name);
    });
}

}  // namespace

std::string TieKindLabel(std::uint32_t kind) {
    switch (kind) {
        case tiekinds::FirstParent:
            return "First Parent";
        case tiekinds::SecondParent:
            return "Second Parent";
        case tiekinds::Spouse:
            return "Spouse";
        case tiekinds::Sibling:
            return "Sibling";
        case tiekinds::Child:
            return "Child";
        default:
            return std::to_string(kind);
    }
}

std::u16string SimName(const Character& sim) {
    return DecodeUtf8(sim.FirstName) + u" " + DecodeUtf8(sim.LastName);
}

int SimPosition(const LoadedNeighborhood& hood, std::uint16_t number) {
    for (std::size_t i = 0; i < hood.Sims.size(); ++i)
        if (SimNumber(*hood.Sims[i]) == number) return static_cast<int>(i);
    return -1;
}

int SimPositionByInstance(const LoadedNeighborhood& hood, std::uint32_t descriptionInstance) {
    if (descriptionInstance == kNoDescription) return -1;
    for (std::size_t i = 0; i < hood.Sims.size(); ++i)
        if (hood.Sims[i]->DescriptionInstance == descriptionInstance) return static_cast<int>(i);
    return -1;
}

FamilyView FamilyOf(const LoadedNeighborhood& hood, const Character& sim) {
    FamilyView view;
    const std::optional<std::uint16_t> self = SimNumber(sim);
    if (!self) return view;
    for (const FamilyTie& tie : hood.FamilyTies) {
        if (tie.Owner != *self) continue;
        const int position = SimPosition(hood, tie.Relative);
        if (position < 0) continue;
        Character* relative = hood.Sims[static_cast<std::size_t>(position)];
        const std::u16string name = SimName(*relative);
        switch (tie.Kind) {
            case tiekinds::FirstParent:
                view.FirstParent = position;
                break;
            case tiekinds::SecondParent:
                view.SecondParent = position;
                break;
            case tiekinds::Spouse:
                view.Spouse = position;
                break;
            case tiekinds::Sibling:
                view.Siblings.push_back({relative, name});
                break;
            case tiekinds::Child:
                view.Children.push_back({relative, name});
                break;
            default:
                break;
        }
        view.Memo.push_back(name + u" - (" + Widen(TieKindLabel(tie.Kind)) + u") " +
                            Widen(std::to_string(tie.Owner)) + u":" +
                            Widen(std::to_string(tie.Kind)) + u":" +
                            Widen(std::to_string(tie.Relative)));
    }
    SortByName(view.Children);
    SortByName(view.Siblings);
    return view;
}

ParentCandidates ParentCandidatesFor(const LoadedNeighborhood& hood, int selected, int current,
                                     int other) {
    ParentCandidates candidates;
    if (selected < 0 || static_cast<std::size_t>(selected) >= hood.Sims.size() ||
        !HasTieNumber(*hood.Sims[static_cast<std::size_t>(selected)]))
        return candidates;
    for (std::size_t i = 0; i < hood.Sims.size(); ++i) {
        const int position = static_cast<int>(i);
        if (position == selected || position == other || !HasTieNumber(*hood.Sims[i])) continue;
        if (position == current)
            candidates.Preselected = static_cast<int>(candidates.Entries.size());
        candidates.Entries.push_back({hood.Sims[i], SimLabel(*hood.Sims[i], hood.Form)});
    }
    return candidates;
}

}  // namespace kinloom
