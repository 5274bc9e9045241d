#include <gtest/gtest.h>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"
#include "core/records/Household.h"

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

// Only the bytes up to the end of the member list are read. Content that ends before them is a
// read error (the record untouched, nothing written from it); content that ends anywhere after
// them, the block the game keeps after the members missing in whole or in part, loads, and a
// save writes what it holds back as stored: identical unchanged, and when changed with only the
// funds and the members replaced, no block made up.
TEST(HouseholdTest, OnlyTheBytesUpToTheMembersMustBeThere) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.version);
        Parts p{l.version, l.start, NoiseBytes(l.trailing, 7), 1, 2, 3, {kAnna}};
        const Bytes full = Build(p);
        const std::size_t membersEnd = l.start + 24 + 4;
        for (std::size_t cut = 0; cut <= full.size(); ++cut) {
            SCOPED_TRACE(cut);
            const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
            Household h;
            h.Cash = 555;
            h.Modified = true;
            if (cut < membersEnd) {
                EXPECT_THROW(ReadHousehold(part, h), ReadError);
                EXPECT_EQ(h.Cash, 555);
                EXPECT_TRUE(h.Modified);
                EXPECT_THROW(WriteHousehold(part, h), ReadError);
                continue;
            }
            ReadHousehold(part, h);
            EXPECT_EQ(h.HouseHoldFile, 1);
            EXPECT_EQ(h.Cash, 2);
            EXPECT_EQ(h.FamFriends, 3);
            EXPECT_EQ(h.Members, std::vector<FourBytes>{kAnna});
            EXPECT_EQ(WriteHousehold(part, h), part);

            h.Cash = -9;
            h.Members = {kBob, kCleo};
            Parts changed = p;
            changed.cash = -9;
            changed.members = {kBob, kCleo};
            changed.trailing.assign(part.begin() + static_cast<std::ptrdiff_t>(membersEnd),
                                    part.end());
            EXPECT_EQ(WriteHousehold(part, h), Build(changed));
        }
    }
    // A member count the content cannot hold.
    for (std::uint32_t count : {3u, 0x40000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(count);
        Bytes b = Build({70, 12, Bytes(4, 0), 1, 2, 3, {kAnna}});
        test::SetU32(b, 12 + 20, count);
        Household h;
        EXPECT_THROW(ReadHousehold(b, h), ReadError);
        EXPECT_THROW(WriteHousehold(b, h), ReadError);
    }
}

// End to end: a household stored without the block after its members no longer stops the load
// of its neighborhood, and saves with every byte as stored, unchanged or changed (funds and
// members replaced, nothing added after them).
TEST(HouseholdTest, AHouseholdWithoutItsTrailingBlockLoadsAndSaves) {
    test::TempDir dir;
    const Neighborhood n = test::WriteDemoN001(dir.path());
    const Bytes original = ReadWholeFile(n.PackagePath);
    EntryList entries;
    ReadIndex(original, entries);
    const PackageIndexEntry* entry = FindFirst(entries, types::Household);
    ASSERT_NE(entry, nullptr);
    const std::uint32_t instance = entry->Instance;
    test::FakeMessages messages;
    Bytes plain;
    ASSERT_TRUE(DecompressEntry(original, *entry, plain, messages));
    ASSERT_EQ(test::GetU32(plain, 4), 85u);  // data from 20, member count at 40
    const std::uint32_t count = test::GetU32(plain, 40);
    ASSERT_GE(count, 2u);
    const Bytes cut(plain.begin(), plain.begin() + 44 + 4 * count);
    const auto position = static_cast<std::size_t>(entry - entries.data());
    ReplaceFileAtomically(
        n.PackagePath, RewritePackageImage(original, [&](const PackageIndexEntry&, std::size_t i) {
                           return i == position ? EntryChoice::Replace(cut) : EntryChoice::Copy();
                       }).Data);

    auto stored = [&n, instance] {
        return test::StoredContents(n.PackagePath, types::Household, instance);
    };

    LoadedNeighborhood state;
    EditingContext context = test::BlankPictureContext(messages);
    ASSERT_TRUE(LoadNeighborhood(n, state, LabelForm::FirstName, context).Loaded);
    Household* h = state.FindHousehold(instance);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(h->Members.size(), count);
    EXPECT_EQ(h->Cash, static_cast<std::int32_t>(test::GetU32(plain, 28)));

    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    EXPECT_EQ(stored(), std::vector<Bytes>{cut});
    h->Modified = true;  // marked changed, nothing changed: the same bytes
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    EXPECT_EQ(stored(), std::vector<Bytes>{cut});

    h->Cash = 777;
    h->Members.pop_back();
    h->Modified = true;
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    Bytes expected(cut.begin(), cut.end() - 4);
    test::SetU32(expected, 28, 777);
    test::SetU32(expected, 40, count - 1);
    EXPECT_EQ(stored(), std::vector<Bytes>{expected});

    LoadedNeighborhood again;
    ASSERT_TRUE(LoadNeighborhood(n, again, LabelForm::FirstName, context).Loaded);
    ASSERT_NE(again.FindHousehold(instance), nullptr);
    EXPECT_EQ(again.FindHousehold(instance)->Cash, 777);
    EXPECT_EQ(again.FindHousehold(instance)->Members, h->Members);
}

}  // namespace
}  // namespace kinloom
