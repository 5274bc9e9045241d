#include <gtest/gtest.h>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/editing/DescriptionIndex.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace {

// A description of a version holding guid and a Nice value.
Bytes Description(std::uint16_t version, std::uint32_t guid, std::int16_t nice) {
    Bytes d(SimDescriptionSize(version), 0);
    PutU16(d, 4, version);
    PutU32(d, *SimDescriptionGuidOffset(version), guid);
    PutU16(d, 16, static_cast<std::uint16_t>(nice));
    return d;
}

Character WithGuid(std::uint32_t guid) {
    Character c;
    for (int i = 0; i < 4; ++i)
        c.GUID[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(guid >> (8 * i));
    return c;
}

struct Fixture {
    Bytes package;
    EntryList entries;
    test::FakeMessages messages;
    explicit Fixture(test::PackageBuilder builder) : package(builder.build()) {
        ReadIndex(package, entries);
    }
};

TEST(DescriptionIndexTest, FirstMatchInIndexOrderWins) {
    test::PackageBuilder b(24);
    b.add(types::SimDescription, 10, Description(51, 0xAAAA, 100));
    b.addCompressed(types::SimDescription, 11, Description(44, 0xBBBB, 200));
    b.add(types::SimDescription, 12, Description(51, 0xAAAA, 300));  // a later copy is never used
    Fixture f(b);
    SimDescriptionIndex index(f.package, f.entries, f.messages);

    Character a = WithGuid(0xAAAA), bsim = WithGuid(0xBBBB);
    index.Match(a);
    index.Match(bsim);
    EXPECT_EQ(a.DescriptionInstance, 10u);
    EXPECT_EQ(a.Nice, 100);
    EXPECT_EQ(a.FormatVersion, 51);
    EXPECT_EQ(bsim.DescriptionInstance, 11u) << "a compressed description is found too";
    EXPECT_EQ(bsim.Nice, 200);
    EXPECT_EQ(bsim.FormatVersion, 44);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(DescriptionIndexTest, UnknownVersionsAreReportedOnceAndAnUnmatchedSimStandsForNobody) {
    test::PackageBuilder b(24);
    b.add(types::SimDescription, 1, Description(51, 0x1111, 1));
    Bytes odd = Description(51, 0x2222, 2);
    PutU16(odd, 4, 99);
    b.add(types::SimDescription, 2, odd);
    b.add(types::SimDescription, 3, Description(41, 0x3333, 3));
    Fixture f(b);
    SimDescriptionIndex index(f.package, f.entries, f.messages);
    EXPECT_EQ(f.messages.shown, std::vector<std::string>{"Unknown Character Format"});

    for (std::uint32_t guid : {0x2222u, 0x9999u}) {
        Character stray = WithGuid(guid);
        stray.Nice = 7;
        index.Match(stray);
        EXPECT_EQ(stray.DescriptionInstance, kNoDescription);
        EXPECT_EQ(stray.Nice, 7) << "its fields stay as they were";
        EXPECT_EQ(stray.FormatVersion, 41) << "the last description read";
    }
    EXPECT_EQ(f.messages.shown.size(), 1u) << "matching shows nothing more";
}

TEST(DescriptionIndexTest, DamagedDescriptionsStopOnlyTheSimsThatReachThem) {
    test::PackageBuilder b(24);
    b.add(types::SimDescription, 1, Description(51, 0x1111, 1));
    b.add(types::SimDescription, 2, Bytes{1, 2, 3});  // not even a version
    b.add(types::SimDescription, 3, Description(51, 0x3333, 3));
    Fixture f(b);
    SimDescriptionIndex index(f.package, f.entries, f.messages);

    Character before = WithGuid(0x1111);
    EXPECT_NO_THROW(index.Match(before));
    EXPECT_EQ(before.DescriptionInstance, 1u);
    Character after = WithGuid(0x3333);
    EXPECT_THROW(index.Match(after), ReadError);
    Character none = WithGuid(0x7777);
    EXPECT_THROW(index.Match(none), ReadError);
}

}  // namespace
}  // namespace kinloom
