#pragma once
// The loaded neighborhood: every record the editors work on, from one load to the next. It owns
// the records; the window holds non-owning pointers to them.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/editing/SimLabels.h"
#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/packages/Package.h"
#include "core/pictures/Bitmap.h"
#include "core/records/Character.h"
#include "core/records/DNA.h"
#include "core/records/FamilyTies.h"
#include "core/records/Household.h"
#include "core/records/Relationship.h"

namespace kinloom {

class Messages;

struct LoadedNeighborhood {
    Neighborhood Selected;        // the neighborhood's record; name and description edited here
    EntryList NeighborhoodIndex;  // its package's index, as loaded
    std::filesystem::path CharactersFolder;

    std::vector<std::unique_ptr<Character>> Characters;  // in loading order (owner)
    std::vector<Character*> Sims;                        // list order: sorted by label
    LabelForm Form = LabelForm::FirstName;

    std::vector<std::unique_ptr<Household>> Households;  // in index order (owner)
    std::vector<Household*> HouseholdList;               // list order: sorted by label
    std::vector<bool> HouseholdNamed;  // per Households item: a name list was found

    std::vector<FamilyTie> FamilyTies;
    bool FamilyTiesModified = false;  // a parent was changed since loading or the last save
    std::vector<DNA> DNAList;
    std::vector<RelationshipRecord> Relationships;

    // The label a household is listed under: its decoded name when it has a name list, else its
    // lot number.
    std::u16string HouseholdLabel(const Household& household) const;
    // Re-sorts the sim list into a form (the Sort button) and the household list by label.
    void SortSims(LabelForm form);
    void SortHouseholds();

    Character* FindSim(const FourBytes& guid) const;
    Household* FindHousehold(std::uint32_t instance) const;
    DNA* FindDNA(std::uint32_t instance);

    // Whether anything would be written by a save.
    bool AnythingModified() const;
};

// What loading and saving need from the world around them.
struct EditingContext {
    Messages& messages;
    int GameLanguage = 1;
    // The placeholder picture of a sim without one of its own ("IMGUnknown" of the pictures
    // library), shared by every such sim; null when the library cannot be opened ("Bad DLL Load"
    // is then shown).
    std::function<std::shared_ptr<const Bitmap>()> placeholder;
    // Loading progress: position of maximum.
    std::function<void(int position, int maximum)> progress;
};

}  // namespace kinloom
