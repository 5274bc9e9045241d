#include "core/records/AttractionTraits.h"

#include <algorithm>

namespace kinloom {

namespace {

constexpr std::array<AttractionTrait, kTraitCount> kTraits{{
    {1, "Cologne", "Cologne", 0, 0},
    {2, "Stink", "Stink", 0, 1},
    {3, "Fatness", "Fatness", 0, 2},
    {4, "Fitness", "Fitness", 0, 3},
    {5, "Formal Wear", "Formal Wear", 0, 4},
    {6, "Swimwear", "SwimWear", 0, 5},
    {7, "Underwear", "Underwear", 0, 6},
    {8, "Vampirism", "Vampirism", 0, 7},
    {9, "Facial Hair", "Facial Hair", 1, 0},
    {10, "Glasses", "Glasses", 1, 1},
    {11, "Makeup", "MakeUp", 1, 2},
    {12, "Full Face Makeup", "Full Face Makeup", 1, 3},
    {13, "Hats", "Hats", 1, 4},
    {33, "Jewelery", "Jewelery", 1, 5},
    {14, "Blonde Hair", "Blonde Hair", 2, 0},
    {15, "Red Hair", "Red Hair", 2, 1},
    {16, "Brown Hair", "Brown Hair", 2, 2},
    {17, "Black Hair", "Black Hair", 2, 3},
    {18, "Custom Hair", "Custom Hair", 2, 4},
    {19, "Grey Hair", "Grey Hair", 2, 5},
    {20, "Hard Worker", "Hard Worker", 2, 6},
    {21, "Unemployed", "Unemployed", 2, 7},
    {22, "Logical", "Logical", 3, 0},
    {23, "Charismatic", "Charismatic", 3, 1},
    {24, "Great Cook", "Great Cook", 3, 2},
    {25, "Mechanical", "Mechanical", 3, 3},
    {26, "Creative", "Creative", 3, 4},
    {27, "Athletic", "Athletic", 3, 5},
    {28, "Good at Cleaning", "Good at Cleaning", 3, 6},
    {29, "Zombiism", "Zombiism", 3, 7},
    {30, "Robots", nullptr, kExtensionByte, 0},
    {31, "Plantsimism", nullptr, kExtensionByte, 1},
    {32, "Lycanthropy", nullptr, kExtensionByte, 2},
}};

constexpr std::array<const char*, kTraitCount + 1> MakeListEntries() {
    std::array<const char*, kTraitCount + 1> entries{};
    entries[0] = "NA";
    for (const AttractionTrait& t : kTraits) entries[static_cast<std::size_t>(t.Number)] = t.Entry;
    return entries;
}
constexpr std::array<const char*, kTraitCount + 1> kListEntries = MakeListEntries();

bool TestBit(std::uint8_t byte, int bit) {
    return ((byte >> bit) & 1) != 0;
}

}  // namespace

const std::array<AttractionTrait, kTraitCount>& AttractionTraits() {
    return kTraits;
}

const AttractionTrait* AttractionTraitOf(int number) {
    const auto found =
        std::find_if(kTraits.begin(), kTraits.end(),
                     [number](const AttractionTrait& t) { return t.Number == number; });
    return found == kTraits.end() ? nullptr : &*found;
}

const std::array<const char*, kTraitCount + 1>& AttractionListEntries() {
    return kListEntries;
}

bool HasTrait(const FourBytes& bytes, const TwoBytes& extension, const AttractionTrait& trait) {
    const std::uint8_t byte =
        trait.Byte == kExtensionByte ? extension[0] : bytes[static_cast<std::size_t>(trait.Byte)];
    return TestBit(byte, trait.Bit);
}

void SetTrait(FourBytes& bytes, TwoBytes& extension, const AttractionTrait& trait) {
    std::uint8_t& byte =
        trait.Byte == kExtensionByte ? extension[0] : bytes[static_cast<std::size_t>(trait.Byte)];
    byte = static_cast<std::uint8_t>(byte | (1u << trait.Bit));
}

}  // namespace kinloom
