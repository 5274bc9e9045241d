#pragma once
// Attraction: the traits a sim has (shown only), its two turn-ons and its one turn-off, as the
// Relationships page shows and sets them. The trait table itself is record knowledge
// (records/AttractionTraits.h).

#include <array>
#include <string>
#include <vector>

#include "core/records/AttractionTraits.h"
#include "core/records/Character.h"

namespace kinloom {

inline constexpr std::size_t kShownTraits = 8;  // trait labels per sim

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
