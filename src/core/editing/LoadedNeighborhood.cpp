#include "core/editing/LoadedNeighborhood.h"

#include <algorithm>
#include <string>

#include "core/editing/DescriptionIndex.h"
#include "core/packages/Utf8.h"

namespace kinloom {

std::u16string LoadedNeighborhood::HouseholdLabel(const Household& household) const {
    for (std::size_t i = 0; i < Households.size(); ++i) {
        if (Households[i].get() != &household) continue;
        if (i < HouseholdNamed.size() && HouseholdNamed[i])
            return DecodeUtf8(household.HouseholdName);
        break;
    }
    const std::string number = std::to_string(household.HouseHoldFile);
    return std::u16string(number.begin(), number.end());
}

void LoadedNeighborhood::SortSims(LabelForm form) {
    Form = form;
    std::vector<Character*> all;
    all.reserve(Characters.size());
    for (auto& c : Characters) all.push_back(c.get());
    Sims = SortedByLabel(all, form);
}

void LoadedNeighborhood::SortHouseholds() {
    std::vector<std::pair<std::u16string, Household*>> keyed;
    for (auto& h : Households) keyed.emplace_back(HouseholdLabel(*h), h.get());
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return LabelLess(a.first, b.first); });
    HouseholdList.clear();
    for (auto& [label, h] : keyed) HouseholdList.push_back(h);
}

Character* LoadedNeighborhood::FindSim(const FourBytes& guid) const {
    for (Character* sim : Sims)
        if (sim->GUID == guid) return sim;
    return nullptr;
}

Household* LoadedNeighborhood::FindHousehold(std::uint32_t instance) const {
    for (const auto& h : Households)
        if (h->Instance == instance) return h.get();
    return nullptr;
}

DNA* LoadedNeighborhood::FindDNA(std::uint32_t instance) {
    // Every sim without a description carries the marker: none of them owns a genetics set.
    if (instance == kNoDescription) return nullptr;
    for (DNA& d : DNAList)
        if (d.Instance == instance) return &d;
    return nullptr;
}

bool LoadedNeighborhood::AnythingModified() const {
    if (Selected.Modified || FamilyTiesModified) return true;
    for (const auto& c : Characters)
        if (c->Modified) return true;
    for (const auto& h : Households)
        if (h->Modified) return true;
    for (const DNA& d : DNAList)
        if (d.Modified) return true;
    for (const RelationshipRecord& r : Relationships)
        if (r.Modified) return true;
    return false;
}

}  // namespace kinloom
