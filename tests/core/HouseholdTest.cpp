#include <gtest/gtest.h>

#include "PackageBuilder.h"
#include "records/Household.h"

namespace kinloom {
namespace {

using test::NoiseBytes;

// A household entry assembled from its parts: header (start bytes, version at 4), lot, a carried
// word, funds, friends, a carried word, the members and the trailing block.
struct Parts {
    std::uint32_t version = 85;
    std::size_t start = 20;
    Bytes trailing;
    std::int32_t lot = 12;
    std::int32_t cash = 20000;
    std::int32_t friends = 3;
    std::vector<FourBytes> members;
};

Bytes Build(const Parts& p) {
    Bytes b = NoiseBytes(p.start, p.version);
    test::SetU32(b, 4, p.version);
    AppendU32(b, static_cast<std::uint32_t>(p.lot));
    AppendU32(b, 0xC0FFEE01);
    AppendU32(b, static_cast<std::uint32_t>(p.cash));
    AppendU32(b, static_cast<std::uint32_t>(p.friends));
    AppendU32(b, 0xC0FFEE02);
    AppendU32(b, static_cast<std::uint32_t>(p.members.size()));
    for (const FourBytes& m : p.members) b.insert(b.end(), m.begin(), m.end());
    b.insert(b.end(), p.trailing.begin(), p.trailing.end());
    return b;
}

const FourBytes kAnna{0xA1, 0xA2, 0xA3, 0xA4};
const FourBytes kBob{0xB1, 0xB2, 0xB3, 0xB4};
const FourBytes kCleo{0xC1, 0xC2, 0xC3, 0xC4};

struct Layout {
    std::uint32_t version;
    std::size_t start, trailing;
};
constexpr Layout kLayouts[] = {{85, 20, 12}, {81, 16, 12}, {84, 16, 12},
                               {79, 12, 8},  {70, 12, 4},  {0, 12, 4}};

// Per version: the fields are found where its layout puts them, and a save changes the funds
// and the members only, carrying the header, lot, friends, carried words and trailing block.
TEST(HouseholdTest, ReadsAndWritesEachVersionsLayout) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.version);
        Parts p{l.version, l.start, NoiseBytes(l.trailing, 99), -4, 20000, 3, {kAnna, kBob}};
        const Bytes stored = Build(p);

        Household h;
        h.Instance = 0x42;
        h.Modified = true;
        ReadHousehold(stored, h);
        EXPECT_EQ(h.HouseHoldFile, -4);
        EXPECT_EQ(h.Cash, 20000);
        EXPECT_EQ(h.FamFriends, 3);
        EXPECT_EQ(h.Members, (std::vector<FourBytes>{kAnna, kBob}));
        EXPECT_FALSE(h.Modified);
        EXPECT_EQ(h.Instance, 0x42u);

        EXPECT_EQ(WriteHousehold(stored, h), stored) << "an unchanged household is identical";

        // Lot and friends are shown, never written.
        h.Cash = -15;
        h.Members.push_back(kCleo);
        h.HouseHoldFile = 99;
        h.FamFriends = 98;
        Parts changed = p;
        changed.cash = -15;
        changed.members.push_back(kCleo);
        const Bytes written = WriteHousehold(stored, h);
        EXPECT_EQ(written, Build(changed));
        EXPECT_EQ(written.size(), stored.size() + 4) << "a member added grows the entry by 4";

        h.Members.clear();
        changed.members.clear();
        EXPECT_EQ(WriteHousehold(stored, h), Build(changed));
    }
}

// Bytes after the trailing block are carried too rather than cut off with the member list.
TEST(HouseholdTest, KeepsBytesBeyondTheTrailingBlock) {
    Parts p{70, 12, NoiseBytes(4 + 9, 5), 1, 100, 0, {kAnna}};
    const Bytes stored = Build(p);
    Household h;
    ReadHousehold(stored, h);
    h.Members = {kBob, kCleo};
    Parts changed = p;
    changed.members = {kBob, kCleo};
    EXPECT_EQ(WriteHousehold(stored, h), Build(changed));
}

// Too short for the layout, trailing block included, or announcing more members than it holds:
// a read error, the record untouched, and no household written from such bytes.
TEST(HouseholdTest, ShortContentIsAReadError) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.version);
        const Bytes full = Build({l.version, l.start, Bytes(l.trailing, 0), 1, 2, 3, {kAnna}});
        for (std::size_t cut = 0; cut < full.size(); ++cut) {
            const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
            Household h;
            h.Cash = 555;
            h.Modified = true;
            EXPECT_THROW(ReadHousehold(part, h), ReadError) << cut;
            EXPECT_EQ(h.Cash, 555);
            EXPECT_TRUE(h.Modified);
            EXPECT_THROW(WriteHousehold(part, h), ReadError) << cut;
        }
    }
    for (std::uint32_t count : {2u, 0x40000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(count);
        Bytes b = Build({70, 12, Bytes(4, 0), 1, 2, 3, {kAnna}});
        test::SetU32(b, 12 + 20, count);
        Household h;
        EXPECT_THROW(ReadHousehold(b, h), ReadError);
    }
}

}  // namespace
}  // namespace kinloom
