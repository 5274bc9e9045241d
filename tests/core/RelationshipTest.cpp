#include <gtest/gtest.h>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Qfs.h"
#include "records/Relationship.h"

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
    return RewritePackageImage(l.package, [&](const PackageIndexEntry& e, std::size_t) {
        return e.Type == types::Relationship ? SaveRelationshipEntry(e, l.list)
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

// Content too short to hold the values is refused at load and never written past at save.
TEST(RelationshipTest, ShortEntries) {
    for (std::size_t size : {0u, 8u, 19u}) {
        SCOPED_TRACE(size);
        const Bytes package =
            PackageBuilder(24).add(types::Relationship, Pair(1, 2), Bytes(size, 7)).build();
        EntryList entries;
        ASSERT_EQ(ReadIndex(package, entries), 24);
        FakeMessages messages;
        EXPECT_THROW(LoadRelationships(package, entries, messages), ReadError);

        Bytes content(size, 7);
        EXPECT_FALSE(PatchRelationship(content, RelationshipRecord{1, 2, 3, 4, 5, 6, 1}));
        EXPECT_EQ(content, Bytes(size, 7));
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
