#pragma once
// Households: the neighborhood package's resource holding a household's lot, funds and members.
// Only funds and the member list are ever changed; every other byte is carried as stored.

#include <cstdint>
#include <string>
#include <vector>

#include "packages/ByteReader.h"
#include "records/Character.h"

namespace kinloom {

struct Household {
    std::uint32_t Instance = 0;      // of the household entry and of its name list
    std::int32_t HouseHoldFile = 0;  // lot number
    std::int32_t Cash = 0;
    std::int32_t FamFriends = 0;
    std::vector<FourBytes> Members;    // member sims' GUIDs, in file order
    std::string HouseholdName;         // raw UTF-8 bytes
    std::string HouseholdDescription;  // raw UTF-8 bytes
    bool Modified = false;
};

// Fills HouseHoldFile, Cash, FamFriends and Members from plain content and clears Modified.
// Throws ReadError, leaving the record unchanged, when the content is shorter than its version's
// layout (trailing block included) or announces more members than it holds.
void ReadHousehold(ByteView content, Household& household);

// The new content for a changed household, built from its stored (plain) content: everything as
// stored except the funds, the member count and the members. Bytes after the stored member list
// are carried whole. Throws ReadError when the stored content does not have the layout its
// version requires.
Bytes WriteHousehold(ByteView stored, const Household& household);

}  // namespace kinloom
