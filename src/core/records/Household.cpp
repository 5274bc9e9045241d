#include "core/records/Household.h"

#include <algorithm>

namespace kinloom {

namespace {

// Where the household data start, by household version. The block after the member list (4 to
// 12 bytes by version) is never read, so its length does not matter here: whatever follows the
// members is carried as stored, and a household stored without it loads all the same.
std::size_t DataStart(std::uint32_t version) {
    switch (version) {
        case 81:
        case 84:
            return 16;
        case 85:
            return 20;
        default:
            return 12;
    }
}

// The stored layout: where the member list begins and how many members it holds, checked
// against the bytes that are really there.
struct StoredHousehold {
    std::size_t start = 0;
    std::size_t membersAt = 0;
    std::size_t memberCount = 0;
};

StoredHousehold Locate(ByteReader& in) {
    in.Seek(4);
    StoredHousehold h;
    h.start = DataStart(in.U32());
    in.Seek(h.start + 20);
    h.memberCount = in.U32();
    h.membersAt = in.Position();
    const std::size_t available = in.Remaining();
    if (h.memberCount > available / 4)
        throw ReadError("household announces " + std::to_string(h.memberCount) + " members in " +
                        std::to_string(available) + " bytes");
    return h;
}

}  // namespace

void ReadHousehold(ByteView content, Household& household) {
    ByteReader in(content);
    const StoredHousehold h = Locate(in);
    in.Seek(h.start);
    const std::int32_t lot = in.I32();
    in.Skip(4);
    const std::int32_t cash = in.I32();
    const std::int32_t friends = in.I32();
    in.Seek(h.membersAt);
    std::vector<FourBytes> members(h.memberCount);
    for (FourBytes& m : members) {
        ByteView b = in.Take(4);
        std::copy(b.begin(), b.end(), m.begin());
    }
    household.HouseHoldFile = lot;
    household.Cash = cash;
    household.FamFriends = friends;
    household.Members = std::move(members);
    household.Modified = false;
}

Bytes WriteHousehold(ByteView stored, const Household& household) {
    ByteReader in(stored);
    const StoredHousehold h = Locate(in);
    const std::size_t start = h.start;
    const std::size_t tailAt = h.membersAt + h.memberCount * 4;

    Bytes out;
    out.reserve(stored.size() + household.Members.size() * 4);
    ByteView head = in.Slice(0, start + 8);  // header, lot and the word after it
    out.insert(out.end(), head.begin(), head.end());
    AppendU32(out, static_cast<std::uint32_t>(household.Cash));
    ByteView middle = in.Slice(start + 12, 8);  // family friends and the word after them
    out.insert(out.end(), middle.begin(), middle.end());
    AppendU32(out, static_cast<std::uint32_t>(household.Members.size()));
    for (const FourBytes& m : household.Members) out.insert(out.end(), m.begin(), m.end());
    ByteView tail = in.Slice(tailAt, stored.size() - tailAt);
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

}  // namespace kinloom
