#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Qfs.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"
#include "core/records/Relationship.h"

namespace kinloom {
namespace {

using test::FakeMessages;
using test::NoiseBytes;
using test::PackageBuilder;
using test::SetU32;
using test::Text;

constexpr std::uint32_t Pair(std::uint32_t a, std::uint32_t b) {
    return (a << 16) | b;
}

// Relationship content: noise everywhere, the values where the game keeps them.
Bytes Content(std::int32_t shortTerm, std::uint8_t one, std::uint8_t two, std::int32_t longTerm,
              std::uint32_t seed) {
    Bytes b = NoiseBytes(36, seed);
    SetU32(b, 8, static_cast<std::uint32_t>(shortTerm));
    b[12] = one;
    b[13] = two;
    SetU32(b, 16, static_cast<std::uint32_t>(longTerm));
    return b;
}

struct Loaded {
    Bytes package;
    EntryList entries;
    std::vector<RelationshipRecord> list;
};

Loaded Load(const PackageBuilder& builder) {
    Loaded l;
    l.package = builder.build();
    EXPECT_EQ(ReadIndex(l.package, l.entries), 24);
    FakeMessages messages;
    l.list = LoadRelationships(l.package, l.entries, messages);
    EXPECT_TRUE(messages.shown.empty());
    return l;
}

// The neighborhood rewrite as the save drives it for relationship entries.
PackageImage Save(const Loaded& l) {
    const RelationshipLookup records(l.list);
    return RewritePackageImage(l.package, [&](const PackageIndexEntry& e, std::size_t) {
        return e.Type == types::Relationship ? SaveRelationshipEntry(e, records)
                                             : EntryChoice::Copy();
    });
}

ByteView ContentOf(const PackageImage& image, std::size_t i) {
    return StoredBytes(image.Data, image.Entries.at(i));
}

TEST(RelationshipTest, LoadsEachEntryAsAPairInIndexOrder) {
    const Loaded l = Load(PackageBuilder(24)
                              .add(types::Relationship, Pair(5, 3), Content(-40, 0x19, 0xC5, 77, 1))
                              .add(types::Household, Pair(9, 9), Content(1, 1, 1, 1, 2))
                              .addCompressed(types::Relationship, Pair(32769, 0xFFFF),
                                             Content(100, 0x80, 0x3F, -100, 3))
                              .add(types::Relationship, Pair(3, 5), Content(0, 0, 0, 0, 4)));
    ASSERT_EQ(l.list.size(), 3u);
    const RelationshipRecord& a = l.list[0];
    EXPECT_EQ(a.SimA, 5);  // how sim 5 feels about sim 3
    EXPECT_EQ(a.SimB, 3);
    EXPECT_EQ(a.ShortTerm, -40);
    EXPECT_EQ(a.RelBitOne, 0x19);
    EXPECT_EQ(a.RelBitTwo, 0xC5);
    EXPECT_EQ(a.LongTerm, 77);
    EXPECT_EQ(a.Modified, 0);
    // A compressed entry loads its decoded values, the ones a save patches.
    const RelationshipRecord& b = l.list[1];
    EXPECT_EQ(b.SimA, 32769);
    EXPECT_EQ(b.SimB, 0xFFFF);
    EXPECT_EQ(b.ShortTerm, 100);
    EXPECT_EQ(b.RelBitOne, 0x80);
    EXPECT_EQ(b.RelBitTwo, 0x3F);
    EXPECT_EQ(b.LongTerm, -100);
    EXPECT_EQ(l.list[2].SimA, 3);

    EXPECT_EQ(FindRelationship(l.list, 32769, 0xFFFF), &l.list[1]);
    EXPECT_EQ(FindRelationship(l.list, 0xFFFF, 32769), nullptr);
}

TEST(RelationshipTest, SavingWithoutEditsRewritesEveryEntryIdentically) {
    const Loaded l = Load(PackageBuilder(24)
                              .add(types::Relationship, Pair(5, 3), Content(-40, 0x19, 0xC5, 77, 1))
                              .add(types::Relationship, Pair(32769, 2), Content(9, 1, 2, 3, 2))
                              .add(types::TextList, 1, Text("names")));
    const PackageImage image = Save(l);
    ASSERT_EQ(image.Entries.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const ByteView before = StoredBytes(l.package, l.entries[i]);
        const ByteView after = ContentOf(image, i);
        EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin(), after.end()));
    }
}

// Edited values land at their offsets; the uninterpreted bits and bytes around them survive.
TEST(RelationshipTest, SavingPatchesOnlyTheValues) {
    Loaded l = Load(PackageBuilder(24)
                        .add(types::Relationship, Pair(5, 3), Content(-40, 0x19, 0x25, 77, 1))
                        .add(types::Relationship, Pair(32769, 2), Content(9, 1, 2, 3, 2)));
    RelationshipRecord& r = l.list[0];
    r.ShortTerm = 95;
    r.LongTerm = -60;
    r.RelBitOne = static_cast<std::uint8_t>(r.RelBitOne | (1 << relbits::Married));
    r.RelBitTwo = static_cast<std::uint8_t>(r.RelBitTwo | (1 << relbits::Aquaintance));
    r.Modified = 1;
    RelationshipRecord& high = l.list[1];
    high.LongTerm = 1000;

    const PackageImage image = Save(l);
    ASSERT_EQ(image.Entries.size(), 2u);
    Bytes expected = Content(95, 0x19 | 0x08, 0x25 | 0x80, -60, 1);
    const ByteView first = ContentOf(image, 0);
    EXPECT_EQ(Bytes(first.begin(), first.end()), expected);
    // Bits 0 to 5 of the second flag byte (0x25 here) and bytes 14 and 15 are the loaded ones.
    EXPECT_EQ(first[13] & 0x3F, 0x25);
    const ByteView loaded = StoredBytes(l.package, l.entries[0]);
    EXPECT_EQ(first[14], loaded[14]);
    EXPECT_EQ(first[15], loaded[15]);

    // The instance whose high half is 32769 is found again and patched, not dropped.
    const ByteView second = ContentOf(image, 1);
    EXPECT_EQ(image.Entries[1].Instance, Pair(32769, 2));
    EXPECT_EQ(Bytes(second.begin(), second.end()), Content(9, 1, 2, 1000, 2));
}

// An entry no record matches (one the game added after loading) is left out; the entry after it
// is written normally, and a pair with two entries is patched from its first record both times.
TEST(RelationshipTest, EntryWithoutARecordIsDropped) {
    Loaded l = Load(PackageBuilder(24)
                        .add(types::Relationship, Pair(5, 3), Content(1, 2, 3, 4, 1))
                        .add(types::Relationship, Pair(6, 3), Content(5, 6, 7, 8, 2)));
    l.list[0].ShortTerm = 50;
    l.list[1].LongTerm = 60;
    l.package = PackageBuilder(24)
                    .add(types::Relationship, Pair(5, 3), Content(1, 2, 3, 4, 1))
                    .add(types::Relationship, Pair(7, 3), Content(9, 9, 9, 9, 3))
                    .add(types::Relationship, Pair(6, 3), Content(5, 6, 7, 8, 2))
                    .add(types::Relationship, Pair(5, 3), Content(0, 0, 0, 0, 4))
                    .build();
    const PackageImage image = Save(l);
    ASSERT_EQ(image.Entries.size(), 3u);
    EXPECT_EQ(image.Entries[1].Instance, Pair(6, 3));
    EXPECT_EQ(image.Entries[1].Offset, image.Entries[0].Offset + image.Entries[0].Size);
    const ByteView kept = ContentOf(image, 1);
    EXPECT_EQ(Bytes(kept.begin(), kept.end()), Content(5, 6, 7, 60, 2));
    const ByteView duplicate = ContentOf(image, 2);
    EXPECT_EQ(Bytes(duplicate.begin(), duplicate.end()), Content(50, 2, 3, 4, 4));
}

// An entry too short to hold every value loads read-only, with the values it holds whole (the
// others 0); a save copies it as stored whatever its record says, and the patch never writes
// past the end of short content.
TEST(RelationshipTest, ShortEntriesLoadReadOnlyAndAreCopiedAsStored) {
    struct Case {
        std::size_t size;
        std::int32_t shortTerm;
        std::uint8_t one, two;
    };
    const Bytes full = Content(-40, 0x19, 0xC5, 77, 1);
    const std::int32_t stored = -40;
    const Case cases[] = {{0, 0, 0, 0},
                          {8, 0, 0, 0},
                          {11, 0, 0, 0},
                          {12, stored, 0, 0},
                          {13, stored, 0x19, 0},
                          {14, stored, 0x19, 0xC5},
                          {19, stored, 0x19, 0xC5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const Bytes shortContent(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.size));
        Loaded l = Load(PackageBuilder(24)
                            .add(types::Relationship, Pair(1, 2), shortContent)
                            .add(types::Relationship, Pair(2, 1), Content(5, 6, 7, 8, 2)));
        ASSERT_EQ(l.list.size(), 2u);
        const RelationshipRecord& r = l.list[0];
        EXPECT_TRUE(r.ReadOnly);
        EXPECT_EQ(r.SimA, 1);
        EXPECT_EQ(r.SimB, 2);
        EXPECT_EQ(r.ShortTerm, c.shortTerm);
        EXPECT_EQ(r.RelBitOne, c.one);
        EXPECT_EQ(r.RelBitTwo, c.two);
        EXPECT_EQ(r.LongTerm, 0);
        EXPECT_FALSE(l.list[1].ReadOnly);

        // Whatever reaches the record, the entry is kept as stored; its neighbour is patched.
        l.list[0].ShortTerm = 99;
        l.list[0].LongTerm = 99;
        l.list[0].Modified = 1;
        l.list[1].LongTerm = 60;
        const PackageImage image = Save(l);
        ASSERT_EQ(image.Entries.size(), 2u);
        const ByteView kept = ContentOf(image, 0);
        EXPECT_EQ(Bytes(kept.begin(), kept.end()), shortContent);
        const ByteView patched = ContentOf(image, 1);
        EXPECT_EQ(Bytes(patched.begin(), patched.end()), Content(5, 6, 7, 60, 2));

        Bytes content = shortContent;
        EXPECT_FALSE(PatchRelationship(content, RelationshipRecord{1, 2, 3, 4, 5, 6, 1}));
        EXPECT_EQ(content, shortContent);
    }
    // Twenty bytes hold every value: an ordinary record.
    const Loaded l = Load(PackageBuilder(24).add(types::Relationship, Pair(1, 2),
                                                 Bytes(full.begin(), full.begin() + 20)));
    EXPECT_FALSE(l.list.at(0).ReadOnly);
    EXPECT_EQ(l.list[0].LongTerm, 77);
}

// The save finds each entry's record by its pair without walking the list, with the same answer
// the walk gives: the first record of the pair, for every entry of that pair.
TEST(RelationshipTest, LookupFindsTheFirstRecordOfEachPair) {
    std::vector<RelationshipRecord> list{{5, 3, 1, 0, 0, 0, 0},
                                         {3, 5, 2, 0, 0, 0, 0},
                                         {5, 3, 3, 0, 0, 0, 0},
                                         {0xFFFF, 1, 4, 0, 0, 0, 0},
                                         {1, 0xFFFF, 5, 0, 0, 0, 0}};
    const RelationshipLookup lookup(list);
    for (const RelationshipRecord& r : list) {
        SCOPED_TRACE(std::to_string(r.SimA) + " " + std::to_string(r.SimB));
        EXPECT_EQ(lookup.Find(r.SimA, r.SimB), FindRelationship(list, r.SimA, r.SimB));
    }
    EXPECT_EQ(lookup.Find(5, 3), &list[0]);
    EXPECT_EQ(lookup.Find(3, 3), nullptr);
    EXPECT_EQ(lookup.Find(1, 1), nullptr);
    EXPECT_EQ(RelationshipLookup({}).Find(5, 3), nullptr);
}

// End to end: a short entry in a real neighborhood no longer stops the load; the neighborhood
// saves with that entry byte for byte as stored, whether nothing or its reverse was edited.
TEST(RelationshipTest, AShortEntryDoesNotStopTheNeighborhood) {
    test::TempDir dir;
    const Neighborhood n = test::WriteDemoN001(dir.path());
    const Bytes original = ReadWholeFile(n.PackagePath);
    EntryList entries;
    ReadIndex(original, entries);
    const PackageIndexEntry* first = FindFirst(entries, types::Relationship);
    ASSERT_NE(first, nullptr);
    const std::uint32_t pair = first->Instance;
    const std::uint32_t reversePair = pair << 16 | pair >> 16;
    test::FakeMessages messages;
    Bytes plain;
    ASSERT_TRUE(DecompressEntry(original, *first, plain, messages));
    const Bytes shortContent(plain.begin(), plain.begin() + 14);  // no long-term value
    const auto position = static_cast<std::size_t>(first - entries.data());
    ReplaceFileAtomically(
        n.PackagePath, RewritePackageImage(original, [&](const PackageIndexEntry&, std::size_t i) {
                           return i == position ? EntryChoice::Replace(shortContent)
                                                : EntryChoice::Copy();
                       }).Data);

    // The plain content of the pair's entries in the package on disk.
    auto stored = [&n](std::uint32_t instance) {
        return test::StoredContents(n.PackagePath, types::Relationship, instance);
    };
    const std::vector<Bytes> reverseBefore = stored(reversePair);
    ASSERT_EQ(reverseBefore.size(), 1u);

    LoadedNeighborhood state;
    EditingContext context = test::BlankPictureContext(messages);
    ASSERT_TRUE(LoadNeighborhood(n, state, LabelForm::FirstName, context).Loaded);
    const auto record = [&state](std::uint32_t instance) {
        return FindRelationship(state.Relationships, static_cast<std::uint16_t>(instance >> 16),
                                static_cast<std::uint16_t>(instance & 0xFFFF));
    };
    ASSERT_NE(record(pair), nullptr);
    EXPECT_TRUE(record(pair)->ReadOnly);
    EXPECT_EQ(record(pair)->LongTerm, 0);
    ASSERT_NE(record(reversePair), nullptr);
    EXPECT_FALSE(record(reversePair)->ReadOnly);

    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    EXPECT_EQ(stored(pair), std::vector<Bytes>{shortContent});
    EXPECT_EQ(stored(reversePair), reverseBefore);

    RelationshipRecord& reverse = state.Relationships[static_cast<std::size_t>(
        record(reversePair) - state.Relationships.data())];
    reverse.LongTerm = -42;
    reverse.Modified = 1;
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    EXPECT_EQ(stored(pair), std::vector<Bytes>{shortContent});
    Bytes expected = reverseBefore[0];
    SetU32(expected, kRelationshipLongTerm, static_cast<std::uint32_t>(-42));
    EXPECT_EQ(stored(reversePair), std::vector<Bytes>{expected});

    LoadedNeighborhood again;
    ASSERT_TRUE(LoadNeighborhood(n, again, LabelForm::FirstName, context).Loaded);
    EXPECT_EQ(again.Relationships.size(), state.Relationships.size());
}

// A neighborhood where every sim knows every other: one entry per ordered pair, and a save puts
// each record's values into its own pair's entry and nowhere else.
TEST(RelationshipTest, EveryPairSavesIntoItsOwnEntry) {
    constexpr int kSims = 12;
    test::TempDir dir;
    WriteDemoUserData(dir.path(), DemoOptions{kSims, 3, true});
    Neighborhood n;
    n.FolderName = "N001";
    n.PackagePath = dir / "Neighborhoods" / "N001" / "N001_Neighborhood.package";
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood state;
    ASSERT_TRUE(LoadNeighborhood(n, state, LabelForm::FirstName, context).Loaded);
    ASSERT_EQ(state.Relationships.size(), std::size_t{kSims * (kSims - 1)});
    std::set<std::pair<int, int>> pairs;
    for (const RelationshipRecord& r : state.Relationships) pairs.emplace(r.SimA, r.SimB);
    EXPECT_EQ(pairs.size(), state.Relationships.size());

    const auto value = [](const RelationshipRecord& r) { return r.SimA * 1000 + r.SimB; };
    for (RelationshipRecord& r : state.Relationships) {
        r.LongTerm = value(r);
        r.ShortTerm = -value(r);
        r.Modified = 1;
    }
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    LoadedNeighborhood again;
    ASSERT_TRUE(LoadNeighborhood(n, again, LabelForm::FirstName, context).Loaded);
    ASSERT_EQ(again.Relationships.size(), state.Relationships.size());
    for (const RelationshipRecord& r : again.Relationships) {
        EXPECT_EQ(r.LongTerm, value(r)) << r.SimA << " " << r.SimB;
        EXPECT_EQ(r.ShortTerm, -value(r)) << r.SimA << " " << r.SimB;
    }
}

TEST(RelationshipTest, RelationshipsOfASimAndTheReverseRecord) {
    std::vector<RelationshipRecord> list{
        {5, 3, 0, 0, 0, 0, 0}, {3, 5, 0, 0, 0, 0, 0}, {5, 9, 0, 0, 0, 0, 0}, {9, 3, 0, 0, 0, 0, 0}};
    EXPECT_EQ(RelationshipsOf(list, 5), (std::vector<RelationshipRecord*>{&list[0], &list[2]}));
    EXPECT_TRUE(RelationshipsOf(list, 0x10005).empty()) << "instances beyond 16 bits match nothing";
    EXPECT_EQ(ReverseOf(list, list[0]), &list[1]);
    EXPECT_EQ(ReverseOf(list, list[1]), &list[0]);
    EXPECT_EQ(ReverseOf(list, list[2]), nullptr);
}

}  // namespace
}  // namespace kinloom
