#pragma once
// The genetics string set: an XML text of sixteen keyed strings, matched and written exactly as
// the game writes it (no XML parser involved).

#include <cstdint>

#include "core/packages/ByteReader.h"
#include "core/records/DNA.h"

namespace kinloom {

// Values absent, empty or self-closed read as "NA".
DNA ReadGeneticsStrings(ByteView content, std::uint32_t instance);

// "NA" is written back as an empty element.
Bytes WriteGeneticsStrings(const DNA& dna);

}  // namespace kinloom
