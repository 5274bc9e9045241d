#pragma once
// Sim descriptions: the neighborhood package's per-sim resource of 16-bit attributes, in the seven
// format versions the game has written. Reading fills a Character; writing patches a description
// already copied into a package image, touching only the fields its version carries and saves.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "packages/Package.h"
#include "records/Character.h"

namespace kinloom {

class Messages;

// Where a description of this format version keeps the sim's GUID; nullopt for a version the
// program does not understand.
std::optional<std::size_t> SimDescriptionGuidOffset(std::uint16_t version);

// The bytes a description of this (accepted) version must hold for all its fields and its GUID.
std::size_t SimDescriptionSize(std::uint16_t version);

// Reads the plain content of one description into sim. FormatVersion is always set from it.
// An unknown version shows "Unknown Character Format" and gives false; a description holding
// another GUID than sim.GUID gives false and changes nothing else. Otherwise every field of
// the version is filled and the result is true. Throws ReadError, before changing any field, when
// the content is shorter than its version requires.
bool ReadSimDescription(ByteView content, Character& sim, Messages& messages);

// Tries the sim descriptions of the neighborhood package in index order until one holds the sim's
// GUID; DescriptionInstance then names that entry. Entries that do not decompress are skipped
// (after "Decompression Error"). When none matches DescriptionInstance keeps the value it had, so
// an unmatched sim never stands in for another one. Throws ReadError from a damaged entry.
bool MatchSimDescription(ByteView neighborhood, const EntryList& entries, Character& sim,
                         Messages& messages);

// Patches a description copied into a package image for every sim in the list that is Modified
// and whose GUID the description holds, in list order: each saved field of the description's own
// version, and the job words 402 and 404 zeroed after a career change (versions 42 and later,
// never for the lot-managed job). Descriptions of an unknown version, or too short for theirs,
// are left as copied. The size never changes.
void WriteSimDescription(std::span<std::uint8_t> description,
                         std::span<const Character* const> sims);

}  // namespace kinloom
