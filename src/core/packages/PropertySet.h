#pragma once
// Binary property sets: a sim's body properties (age, gender, colours) in its character package,
// and the version of a neighborhood or character.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/packages/ByteReader.h"

namespace kinloom {

class Messages;

inline constexpr std::uint32_t kPropertySetFormat = 0xCBE750E0;
// A colour value is a GUID text of this length; a save overwrites it in place.
inline constexpr std::size_t kColorTextLength = 36;

namespace valuetypes {
inline constexpr std::uint32_t Number = 0xEB61E4F7;
inline constexpr std::uint32_t Text = 0x0B8BEA18;
inline constexpr std::uint32_t Opaque = 0xABC78708;
}  // namespace valuetypes

struct Property {
    std::string Name;
    std::uint32_t ValueType = 0;
    std::uint32_t Number = 0;
    std::string Text;
};

// Empty for content whose format id is not CBE750E0; throws ReadError past the end.
std::vector<Property> ReadPropertySet(ByteView content);

// "<0> - <1>", empty when there is no property "1"; not cut (callers keep at most 36 characters).
// Throws ReadError like ReadPropertySet.
std::string VersionText(ByteView content);

// Which body properties a sim's property set can take back at save: the value read (the last
// property of the name) is a number for age and gender, a 36-character text for a colour.
struct PropertySlots {
    bool Age = false;
    bool Gender = false;
    bool SkinColor = false;
    bool HairColor = false;
    bool EyeColor = false;

    bool operator==(const PropertySlots&) const = default;
};

// The body properties of a sim's property set; held inside the Character record.
struct SimProperties {
    std::uint16_t PropertyAge = 0;
    std::uint16_t PropertyGender = 0;
    std::string SkinColor, HairColor, EyeColor;
    PropertySlots Slots;  // what the set read can store again

    bool operator==(const SimProperties&) const = default;
};

// Applies the properties in order (a later one of the same name overrides) and notes their
// slots; throws ReadError.
void ReadSimProperties(ByteView content, SimProperties& into);

// In place over the bytes of a sim property set already copied into a package image; never
// changes size. A set that runs past the entry throws ReadError with the entry untouched and
// nothing shown.
void PatchColorStrings(std::span<std::uint8_t> entry, const SimProperties& record,
                       Messages& messages);

// PatchColorStrings, and also the record's age and gender into every number-typed "age" and
// "gender" property (low 16 bits; the stored high half is kept). An age or gender the record
// never read (-1) is not written. Every other byte of the set stays as it was.
void PatchSimProperties(std::span<std::uint8_t> entry, const SimProperties& record,
                        Messages& messages);

}  // namespace kinloom
