#pragma once
// The neighborhood's family ties: per sim, its ties (parent, spouse, sibling, child ...) to other
// sims, each sim named by its description instance as a number.

#include <cstdint>
#include <vector>

#include "core/packages/ByteReader.h"

namespace kinloom {

struct FamilyTie {
    std::uint16_t Owner = 0;
    std::uint32_t Kind = 0;
    std::uint16_t Relative = 0;

    bool operator==(const FamilyTie&) const = default;
};

// Appends the ties of a family-ties entry's plain content, in file order. Throws ReadError, with
// nothing appended, when a count announces more than the content holds.
void ReadFamilyTies(ByteView content, std::vector<FamilyTie>& ties);

// The entry content for a list of ties: the ties grouped by owner, groups in the order in which
// their owner first appears, ties within a group in list order.
Bytes WriteFamilyTies(const std::vector<FamilyTie>& ties);

}  // namespace kinloom
