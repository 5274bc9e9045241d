#pragma once
// The fixed byte layouts of the attribute groups: which Character fields a group holds, in which
// order. Writing, reading and copying sim to sim all walk the same tables.

#include <cstdint>
#include <optional>

#include <vector>

#include "core/editing/CharacterFields.h"
#include "core/packages/ByteReader.h"
#include "core/records/Character.h"

namespace kinloom {

// Bytes a fixed-layout group takes; nullopt for the names, the genes and unknown groups.
std::optional<std::size_t> CloneGroupSize(std::uint32_t group);

// Appends a fixed-layout group's fields of sim (16-bit values little-endian, 4-byte fields as
// held).
void AppendCloneGroup(Bytes& out, std::uint32_t group, const Character& sim);

// Sets the fields a group carries over from its bytes (at least CloneGroupSize long). Fields a
// group holds but does not carry over (the job group's NPC type, the personality group's zodiac)
// are left alone.
void TakeCloneGroup(std::uint32_t group, ByteView bytes, Character& target);

// The same fields, copied from another sim.
void CopyCloneGroup(std::uint32_t group, const Character& source, Character& target);

// The fields of the record a fixed-layout group carries over (what a copy or an import writes),
// by their names in the field table.
std::vector<const CharacterField*> CloneGroupFields(std::uint32_t group);

}  // namespace kinloom
