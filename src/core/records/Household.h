#pragma once
// Households: the neighborhood package's resource holding a household's lot, funds and members.
// Only funds and the member list are ever changed; every other byte is carried as stored.

#include <cstdint>
#include <string>
#include <vector>

#include "core/packages/ByteReader.h"
#include "core/records/Character.h"

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

    bool operator==(const Household&) const = default;
};

// Fills HouseHoldFile, Cash, FamFriends and Members from plain content and clears Modified.
// Only the bytes up to the end of the member list are read: the block the game keeps after it
// may be missing. Throws ReadError, leaving the record unchanged, when the content ends before
// its member list does.
void ReadHousehold(ByteView content, Household& household);

// The new content for a changed household, built from its stored (plain) content: everything as
// stored except the funds, the member count and the members. Bytes after the stored member list
// are carried whole, however many there are (none included). Throws ReadError when the stored
// content ends before its member list does.
Bytes WriteHousehold(ByteView stored, const Household& household);

}  // namespace kinloom
