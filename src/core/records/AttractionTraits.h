#pragma once
// The attraction traits as the Character record keeps them: every trait has a number 1..33,
// which is also its position in the three turn-on/turn-off lists (position 0 "NA" is no trait);
// the number fixes its byte and bit in the four-byte sets (and the extension, for the newest).

#include <array>
#include <cstddef>

#include "core/records/Character.h"

namespace kinloom {

inline constexpr int kNoTrait = 0;
inline constexpr int kTraitCount = 33;
inline constexpr int kExtensionByte = 4;  // Byte of a trait kept in the extension field

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

}  // namespace kinloom
