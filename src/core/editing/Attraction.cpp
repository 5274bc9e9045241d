#include "core/editing/Attraction.h"

#include <algorithm>

namespace kinloom {

namespace {

// Scanning stops after the Jewelery row to report the two unknown bits of the second byte.
constexpr std::size_t kAfterJewelery = 14;

// The first description versions that keep the turn-on sets and their extensions.
constexpr std::uint16_t kTurnChoicesVersion = 41;
constexpr std::uint16_t kExtensionVersion = 47;

bool TestBit(std::uint8_t byte, int bit) {
    return ((byte >> bit) & 1) != 0;
}

// Scans a set in the table's order and reports the unknown bits of its second byte at their
// place; visit returns false to stop (a set holds no more than the caller wants to see).
template <typename Visit>
void Scan(const FourBytes& bytes, const TwoBytes& extension, bool withExtension,
          const char* report6, const char* report7, std::vector<std::string>& reports,
          Visit visit) {
    const auto& traits = AttractionTraits();
    for (std::size_t i = 0; i < traits.size(); ++i) {
        if (i == kAfterJewelery) {
            if (TestBit(bytes[1], 6)) reports.emplace_back(report6);
            if (TestBit(bytes[1], 7)) reports.emplace_back(report7);
        }
        const AttractionTrait& t = traits[i];
        if (t.Byte == kExtensionByte && !withExtension) break;
        if (HasTrait(bytes, extension, t)) visit(t);
    }
}

}  // namespace

std::vector<std::string> TraitLabels(const FourBytes& traits) {
    std::vector<std::string> labels;
    std::vector<std::string> unused;
    Scan(traits, TwoBytes{}, false, "", "", unused, [&](const AttractionTrait& t) {
        if (labels.size() < kShownTraits) labels.emplace_back(t.Label);
    });
    return labels;
}

AttractionView ReadAttraction(const Character& sim) {
    AttractionView view;
    Scan(sim.AttractionTraits, TwoBytes{}, false, "AttractionTraitsA2 Bit 6",
         "AttractionTraitsA2 Bit 7", view.Reports, [&](const AttractionTrait& t) {
             if (view.Traits.size() < kShownTraits) view.Traits.emplace_back(t.Label);
         });
    Scan(sim.TurnOns, sim.TurnOnsExt, true, "AttractionTurnOnsA2 6", "AttractionTurnOnsA2 7",
         view.Reports, [&](const AttractionTrait& t) {
             if (view.TurnOn1 == kNoTrait)
                 view.TurnOn1 = t.Number;
             else if (view.TurnOn2 == kNoTrait)
                 view.TurnOn2 = t.Number;
         });
    Scan(sim.TurnOffs, sim.TurnOffsExt, true, "AttractionTurnOffsA2 6", "AttractionTurnOffsA2 7",
         view.Reports, [&](const AttractionTrait& t) {
             if (view.TurnOff == kNoTrait) view.TurnOff = t.Number;
         });
    return view;
}

void WriteTurnChoices(Character& sim, int turnOn1, int turnOn2, int turnOff) {
    sim.TurnOns = {};
    sim.TurnOffs = {};
    sim.TurnOnsExt = {};
    sim.TurnOffsExt = {};
    for (int number : {turnOn1, turnOn2})
        if (const AttractionTrait* t = AttractionTraitOf(number))
            SetTrait(sim.TurnOns, sim.TurnOnsExt, *t);
    if (const AttractionTrait* t = AttractionTraitOf(turnOff))
        SetTrait(sim.TurnOffs, sim.TurnOffsExt, *t);
}

bool TurnChoicesStored(const Character& sim) {
    return sim.FormatVersion >= kTurnChoicesVersion;
}

bool TurnChoiceStored(const Character& sim, int number) {
    const AttractionTrait* t = AttractionTraitOf(number);
    if (!t) return number == kNoTrait;
    if (t->Byte == kExtensionByte) return sim.FormatVersion >= kExtensionVersion;
    return TurnChoicesStored(sim);
}

}  // namespace kinloom
