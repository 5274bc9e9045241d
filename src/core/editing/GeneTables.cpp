#include "core/editing/GeneTables.h"

#include "core/editing/EditingModel.h"
#include "core/packages/Package.h"

namespace kinloom {

namespace {

constexpr FixedGene kHair[] = {
    {"NA", nullptr},
    {"Black Hair", "00000001-0000-0000-0000-000000000000"},
    {"Brown Hair", "00000002-0000-0000-0000-000000000000"},
    {"Blonde Hair", "00000003-0000-0000-0000-000000000000"},
    {"Red Hair", "00000004-0000-0000-0000-000000000000"},
};

constexpr FixedGene kSkin[] = {
    {"NA", nullptr},
    {"Light Skin", "00000001-0000-0000-0000-000000000000"},
    {"Tan Skin", "00000002-0000-0000-0000-000000000000"},
    {"Medium Skin", "00000003-0000-0000-0000-000000000000"},
    {"Dark Skin", "00000004-0000-0000-0000-000000000000"},
    {"Alien Skin", "6baf064a-85ad-4e37-8d81-a987e9f8da46"},
};

constexpr FixedGene kEye[] = {
    {"NA", nullptr},
    {"Brown Eyes", "32dee745-b6ce-419f-9e86-ae93802d2682"},
    {"Green Eyes", "51c4a750-c9f4-4cfe-801c-898efc360cb7"},
    {"Gray Eyes", "0758508c-7111-40f9-b33b-706464626ac9"},
    {"Lt. Blue Eyes", "e43f3360-3a08-4755-8b83-a0d37a6c424b"},
    {"Dk. Blue Eyes", "2d6839c5-0b7c-48a1-9c55-4bd9cc873b0f"},
    {"Alien Eyes", "12d4f3e1-fdbe-4fe7-ace3-46dd9ff52b51"},
};

const std::array<GeneListInfo, kGeneListCount> kLists = {{
    {GeneList::HairColor, "cbHairColor", "Hair Color:", "edtHairColor", GeneKind::Hair, false},
    {GeneList::EyeColor, "cbEyeColor", "Eye Color:", "edtEyeColor", GeneKind::Eye, false},
    {GeneList::SkinTone, "cbSkinTone", "Skin Tone:", "edtSkinTone", GeneKind::Skin, true},
    {GeneList::RecSkinTone, "cbRecSkinTone", "Recessive Skin Tone: ?", "edtRecSkinTone",
     GeneKind::Skin, true},
    {GeneList::FatherHairColor, "cbFatherHairColor", "Father's Hair Color:", "edtFatherHairColor",
     GeneKind::Hair, true},
    {GeneList::MotherHairColor, "cbMotherHairColor", "Mother's Hair Color:", "edtMotherHairColor",
     GeneKind::Hair, true},
    {GeneList::FatherSkinTone, "cbFatherSkinTone", "Father's Skin Tone:", "edtFatherSkinTone",
     GeneKind::Skin, true},
    {GeneList::MotherSkinTone, "cbMotherSkinTone", "Mother's Skin Tone:", "edtMotherSkinTone",
     GeneKind::Skin, true},
    {GeneList::DomEyeColor, "cbDomEyeColor", "Parent Eye Color (Dominant):", "edtDomEyeColor",
     GeneKind::Eye, true},
    {GeneList::RecEyeColor, "cbRecEyeColor", "Parent Eye Color:", "edtRecEyeColor", GeneKind::Eye,
     true},
}};

// The field a list edits, in whichever record holds it (const or not, as the records are).
template <class Sim, class Genes>
auto FieldOf(GeneList list, Sim& sim, Genes* dna) -> decltype(&sim.HairColor) {
    switch (list) {
        case GeneList::HairColor:
            return &sim.HairColor;
        case GeneList::EyeColor:
            return &sim.EyeColor;
        default:
            break;
    }
    if (!dna) return nullptr;
    switch (list) {
        case GeneList::SkinTone:
            return &dna->SkinTone;
        case GeneList::RecSkinTone:
            return &dna->RecSkinTone;
        case GeneList::FatherHairColor:
            return &dna->FatherHairColor;
        case GeneList::MotherHairColor:
            return &dna->MotherHairColor;
        case GeneList::FatherSkinTone:
            return &dna->FatherSkinTone;
        case GeneList::MotherSkinTone:
            return &dna->MotherSkinTone;
        case GeneList::DomEyeColor:
            return &dna->DomEyeColor;
        case GeneList::RecEyeColor:
            return &dna->RecEyeColor;
        default:
            return nullptr;
    }
}

}  // namespace

std::span<const FixedGene> FixedGenes(GeneKind kind) {
    switch (kind) {
        case GeneKind::Hair:
            return kHair;
        case GeneKind::Skin:
            return kSkin;
        case GeneKind::Eye:
            return kEye;
    }
    return {};
}

std::uint32_t GeneTypeOf(GeneKind kind) {
    switch (kind) {
        case GeneKind::Hair:
            return genetypes::Hair;
        case GeneKind::Skin:
            return genetypes::Skin;
        case GeneKind::Eye:
            return genetypes::Eye;
    }
    return 0;
}

std::optional<GeneKind> GeneKindOf(const std::string& typeId) {
    for (GeneKind kind : {GeneKind::Hair, GeneKind::Skin, GeneKind::Eye})
        if (typeId == TypeIdText(GeneTypeOf(kind))) return kind;
    return std::nullopt;
}

std::vector<std::string> GeneListEntries(GeneKind kind, const std::vector<GeneMod>& genes) {
    std::vector<std::string> entries;
    for (const FixedGene& fixed : FixedGenes(kind)) entries.emplace_back(fixed.Name);
    const std::string typeId = TypeIdText(GeneTypeOf(kind));
    for (const GeneMod& gene : genes)
        if (gene.TypeId == typeId) entries.push_back("* " + gene.GeneName);
    return entries;
}

int GeneListPosition(GeneKind kind, const std::string& value, const std::vector<GeneMod>& genes) {
    const std::span<const FixedGene> fixed = FixedGenes(kind);
    for (std::size_t i = 1; i < fixed.size(); ++i)
        if (value == fixed[i].Value) return static_cast<int>(i);
    const std::string typeId = TypeIdText(GeneTypeOf(kind));
    int position = 0;
    for (const GeneMod& gene : genes)
        if (gene.TypeId == typeId && gene.Family == value) position = gene.ListIndex;
    return position;
}

std::optional<std::string> GeneValueAt(GeneKind kind, int position,
                                       const std::vector<GeneMod>& genes) {
    const std::span<const FixedGene> fixed = FixedGenes(kind);
    if (position == 0) return std::string(kNoGeneValue);
    if (position > 0 && static_cast<std::size_t>(position) < fixed.size())
        return std::string(fixed[static_cast<std::size_t>(position)].Value);
    const std::string typeId = TypeIdText(GeneTypeOf(kind));
    for (const GeneMod& gene : genes)
        if (gene.TypeId == typeId && position >= 0 && gene.ListIndex == position)
            return gene.Family;
    return std::nullopt;
}

const std::array<GeneListInfo, kGeneListCount>& GeneLists() {
    return kLists;
}

const GeneListInfo& GeneListInfoOf(GeneList list) {
    return kLists[static_cast<std::size_t>(list)];
}

const std::string* GeneValueOf(GeneList list, const Character& sim, const DNA* dna) {
    return FieldOf(list, sim, dna);
}

std::array<int, kGeneListCount> GenePositions(const Character& sim, const DNA* dna,
                                              const std::vector<GeneMod>& genes) {
    std::array<int, kGeneListCount> positions{};
    for (const GeneListInfo& info : kLists) {
        const std::string* value = GeneValueOf(info.List, sim, dna);
        positions[static_cast<std::size_t>(info.List)] =
            value ? GeneListPosition(info.Kind, *value, genes) : 0;
    }
    return positions;
}

void ChangeGene(GeneList list, int position, Character& sim, DNA* dna,
                const std::vector<GeneMod>& genes) {
    const GeneListInfo& info = GeneListInfoOf(list);
    if (std::string* field = FieldOf(list, sim, dna)) {
        if (std::optional<std::string> value = GeneValueAt(info.Kind, position, genes))
            *field = std::move(*value);
        if (info.InDNA) dna->Modified = true;
    }
    // The game draws the thumbnail from the sim's own colours; the parents' genes do not show.
    if (list == GeneList::SkinTone || list == GeneList::EyeColor || list == GeneList::HairColor)
        sim.ResetThumbnail = true;
    sim.Modified = true;
}

bool GeneListsEnabled(const Character& sim, bool hasPets) {
    return !IsPet(sim, hasPets);
}

}  // namespace kinloom
