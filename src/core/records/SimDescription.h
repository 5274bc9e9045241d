#pragma once
// Sim descriptions: the neighborhood package's per-sim resource of 16-bit attributes, in the seven
// format versions the game has written. Reading fills a Character; writing patches a description
// already copied into a package image, touching only the fields its version carries and saves.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

#include "core/packages/Package.h"
#include "core/records/Character.h"

namespace kinloom {

class Messages;

// Where a description of this format version keeps the sim's GUID; nullopt for a version the
// program does not understand.
std::optional<std::size_t> SimDescriptionGuidOffset(std::uint16_t version);

// The bytes a description of this (accepted) version must hold for all its fields and its GUID.
std::size_t SimDescriptionSize(std::uint16_t version);

// A Character member that sim descriptions hold.
using DescriptionMember = std::variant<std::int16_t Character::*, std::uint16_t Character::*,
                                       FourBytes Character::*, TwoBytes Character::*>;

// The description versions that carry a field, first to last, and whether a save writes the
// record's value back into them.
struct DescriptionVersions {
    std::uint16_t First = 0;
    std::uint16_t Last = 0;
    bool Saved = false;

    bool Carries(std::uint16_t version) const { return version >= First && version <= Last; }
    bool Stores(std::uint16_t version) const { return Saved && Carries(version); }
};

// Read from the description layout itself, so the answer and the reader/writer cannot disagree.
// nullopt for a member no description holds (names, body properties, bookkeeping).
std::optional<DescriptionVersions> DescriptionVersionsOf(DescriptionMember member);

// Reads the plain content of one description into sim. FormatVersion is always set from it.
// An unknown version shows "Unknown Character Format" and gives false; a description holding
// another GUID than sim.GUID gives false and changes nothing else. Otherwise every field of
// the version is filled and the result is true. Throws ReadError, before changing any field, when
// the content is shorter than its version requires.
bool ReadSimDescription(ByteView content, Character& sim, Messages& messages);

// Patches a description copied into a package image for every sim in the list that is Modified
// and whose GUID the description holds, in list order: each saved field of the description's own
// version, and the job words 402 and 404 zeroed after a career change (versions 42 and later,
// never for the lot-managed job). Descriptions of an unknown version, or too short for theirs,
// are left as copied. The size never changes.
void WriteSimDescription(std::span<std::uint8_t> description,
                         std::span<const Character* const> sims);

}  // namespace kinloom
