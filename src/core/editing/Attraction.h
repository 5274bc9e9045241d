#pragma once
// Attraction: the traits a sim has (shown only), its two turn-ons and its one turn-off, all kept
// as bit sets in the Character record. Every trait has a number 1..33, which is also its position
// in the three turn-on/turn-off lists (position 0 "NA" is no trait); the number fixes its bit.

#include <array>
#include <string>
#include <vector>

#include "core/records/Character.h"

namespace kinloom {

inline constexpr int kNoTrait = 0;
inline constexpr int kTraitCount = 33;
inline constexpr std::size_t kShownTraits = 8;  // trait labels per sim
inline constexpr int kExtensionByte = 4;        // Byte of a trait kept in the extension field

struct AttractionTrait {
    int Number;         // 1..33; the list position
    const char* Entry;  // "Formal Wear": the list entry
    const char* Label;  // "Formal Wear": the trait label text; nullptr when never shown as a trait
    int Byte;           // 0..3 of the four-byte field, or kExtensionByte (first extension byte)
    int Bit;            // 0 is the least significant
};

// Every trait in scanning order: numbers 1 to 13, 33, then 14 to 32.
const std::array<AttractionTrait, kTraitCount>& AttractionTraits();
// The trait of a number, nullptr for none (0 or outside 1..33).
const AttractionTrait* AttractionTraitOf(int number);
// The entries of the three lists: "NA", then the 33 names in number order.
const std::array<const char*, kTraitCount + 1>& AttractionListEntries();

// One bit set as the record keeps it: four bytes and, for turn-ons and turn-offs, an extension.
bool HasTrait(const FourBytes& bytes, const TwoBytes& extension, const AttractionTrait& trait);
void SetTrait(FourBytes& bytes, TwoBytes& extension, const AttractionTrait& trait);

// The trait label texts of an attraction-trait set, in scanning order; at most eight, later ones
// are not shown.
std::vector<std::string> TraitLabels(const FourBytes& traits);

// What the attraction area shows for the current sim.
struct AttractionView {
    std::vector<std::string> Traits;  // the sim's trait labels
    int TurnOn1 = kNoTrait;           // list positions; the first two turn-ons in scanning order
    int TurnOn2 = kNoTrait;
    int TurnOff = kNoTrait;  // the first turn-off in scanning order
    // Bits 6 and 7 of the second byte carry no known trait; each one set is reported with its
    // own text ("AttractionTraitsA2 Bit 6", "AttractionTurnOnsA2 7", ...), in scanning order.
    std::vector<std::string> Reports;
};
AttractionView ReadAttraction(const Character& sim);

// The three lists define the whole turn-on and turn-off sets: every bit of TurnOns, TurnOffs and
// both extensions is cleared, then the chosen turn-ons and the turn-off are set (kNoTrait sets
// nothing). So at most two turn-on bits and one turn-off bit remain.
void WriteTurnChoices(Character& sim, int turnOn1, int turnOn2, int turnOff);

// Whether the sim's description keeps turn-ons and turn-offs at all, and whether it keeps the
// trait of a number (the extension came later than the four-byte sets). A choice the description
// cannot keep would be lost at Save.
bool TurnChoicesStored(const Character& sim);
bool TurnChoiceStored(const Character& sim, int number);

}  // namespace kinloom
