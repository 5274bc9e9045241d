#pragma once
// The ten gene lists of the genetics page: the game's fixed colours, the custom genes after them,
// which stored value each list edits, and how a stored value maps to a list entry and back.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/records/Character.h"
#include "core/records/DNA.h"
#include "core/records/GeneMod.h"

namespace kinloom {

enum class GeneKind { Hair, Skin, Eye };

namespace genetypes {
inline constexpr std::uint32_t Hair = 0x8C1580B5;
inline constexpr std::uint32_t Skin = 0x4C158081;
inline constexpr std::uint32_t Eye = 0x2C1FD8A1;
}  // namespace genetypes

// What entry 0 ("NA") writes: 36 zeros, no dashes.
inline constexpr const char* kNoGeneValue = "000000000000000000000000000000000000";

struct FixedGene {
    const char* Name;   // list entry text
    const char* Value;  // stored identifier; nullptr for "NA"
};

// The game's own entries of a kind, entry 0 ("NA") first; custom genes follow them.
std::span<const FixedGene> FixedGenes(GeneKind kind);

// The gene resource type of a kind and its type id text ("8C1580B5" ...).
std::uint32_t GeneTypeOf(GeneKind kind);
std::optional<GeneKind> GeneKindOf(const std::string& typeId);

// The entries of a list of this kind: the fixed names, then "* " + name of each custom gene of
// the kind in scan order.
std::vector<std::string> GeneListEntries(GeneKind kind, const std::vector<GeneMod>& genes);

// The entry that shows a stored value: a fixed value's entry; else the last custom gene of the
// kind whose Family equals it; else 0. Exact, case-sensitive comparisons.
int GeneListPosition(GeneKind kind, const std::string& value, const std::vector<GeneMod>& genes);

// The value an entry stores: 36 zeros for entry 0, a fixed entry's identifier, a custom entry's
// Family; nullopt when no gene sits at that entry (the stored value is then kept).
std::optional<std::string> GeneValueAt(GeneKind kind, int position,
                                       const std::vector<GeneMod>& genes);

// The ten lists, in the order the page lays them out.
enum class GeneList {
    HairColor,
    EyeColor,
    SkinTone,
    RecSkinTone,
    FatherHairColor,
    MotherHairColor,
    FatherSkinTone,
    MotherSkinTone,
    DomEyeColor,
    RecEyeColor,
};
inline constexpr std::size_t kGeneListCount = 10;

struct GeneListInfo {
    GeneList List;
    const char* Control;  // "cbHairColor" ...
    const char* Caption;  // its label's text
    const char* Edit;     // the hidden edit showing the raw value
    GeneKind Kind;
    bool InDNA;  // a gene of the DNA record (else a colour of the Character record)
};

const std::array<GeneListInfo, kGeneListCount>& GeneLists();
const GeneListInfo& GeneListInfoOf(GeneList list);

// The stored value a list edits; nullptr for a DNA list of a sim without a DNA record.
const std::string* GeneValueOf(GeneList list, const Character& sim, const DNA* dna);

// The entry each list shows for a sim, in GeneLists() order. Hair and eye colour come from the
// sim's own record even when it has no DNA record; the DNA lists then show "NA".
std::array<int, kGeneListCount> GenePositions(const Character& sim, const DNA* dna,
                                              const std::vector<GeneMod>& genes);

// The user chose entry position in list: stores its value (a DNA list only when the sim has a
// DNA record, whose modified mark is then set), asks for a new thumbnail when the sim's own skin
// tone, eye or hair colour changed, and marks the sim modified. The other lists' values are left
// as stored, so a value the lists cannot show (a gene from a package no longer installed) is not
// lost by editing another gene.
void ChangeGene(GeneList list, int position, Character& sim, DNA* dna,
                const std::vector<GeneMod>& genes);

// Pets have no genes the page can edit: their lists are disabled.
bool GeneListsEnabled(const Character& sim, bool hasPets);

}  // namespace kinloom
