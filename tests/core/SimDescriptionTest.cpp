#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Qfs.h"
#include "core/editing/DescriptionIndex.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace {

using test::FakeMessages;
using test::NoiseBytes;
using test::PackageBuilder;
using test::QfsStream;

// The description layout written out independently of the reader's table: offset, width, first
// version carrying the field, whether saving writes it, and how to reach the record member.
template <typename T>
Bytes Encode(const T& value) {
    if constexpr (std::is_integral_v<T>) {
        const auto v = static_cast<std::uint16_t>(value);
        return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>(v >> 8)};
    } else {
        return Bytes(value.begin(), value.end());
    }
}

template <typename T>
void Decode(const Bytes& bytes, T& value) {
    if constexpr (std::is_integral_v<T>) {
        value = static_cast<T>(bytes.at(0) | (bytes.at(1) << 8));
    } else {
        std::copy_n(bytes.begin(), value.size(), value.begin());
    }
}

struct Field {
    const char* name;
    std::size_t offset;
    std::size_t width;
    int firstVersion;
    bool saved;
    std::function<Bytes(const Character&)> get;
    std::function<void(Character&, const Bytes&)> set;
};

// clang-format off
#define FIELD(offset, width, first, saved, member)                                  \
    Field {                                                                         \
        #member, offset, width, first, saved,                                       \
            [](const Character& c) { return Encode(c.member); },                    \
            [](Character& c, const Bytes& b) { Decode(b, c.member); }               \
    }
// clang-format on

const std::vector<Field>& Layout() {
    static const std::vector<Field> fields{
        FIELD(4, 2, 32, false, FormatVersion),
        FIELD(16, 2, 32, true, Nice),
        FIELD(18, 2, 32, true, Active),
        FIELD(20, 2, 32, true, ClassPerformance),
        FIELD(22, 2, 32, true, Playful),
        FIELD(24, 2, 32, true, Outgoing),
        FIELD(26, 2, 32, true, Neat),
        FIELD(30, 2, 32, true, Cleaning),
        FIELD(32, 2, 32, true, Cooking),
        FIELD(34, 2, 32, true, Charisma),
        FIELD(36, 2, 32, true, Mechanical),
        FIELD(42, 2, 32, true, Creativity),
        FIELD(46, 2, 32, true, Body),
        FIELD(48, 2, 32, true, Logic),
        FIELD(56, 2, 32, true, MalePref),
        FIELD(58, 2, 32, true, FemalePref),
        FIELD(60, 2, 32, true, JobData),
        FIELD(104, 2, 32, true, Aspiration),
        FIELD(106, 2, 32, true, OrgNeat),
        FIELD(108, 2, 32, true, OrgNice),
        FIELD(110, 2, 32, true, OrgActive),
        FIELD(112, 2, 32, true, OrgOutgoing),
        FIELD(114, 2, 32, true, OrgPlayful),
        FIELD(124, 2, 32, true, Grade),
        FIELD(126, 2, 32, true, Jobs),
        FIELD(128, 2, 32, true, Ages),
        FIELD(134, 2, 32, true, FamilyNumber),
        FIELD(138, 2, 32, true, Performance),
        FIELD(142, 2, 32, true, Gender),
        FIELD(146, 2, 32, true, LingeringNumber),
        FIELD(148, 2, 32, true, GhostFlags),
        FIELD(150, 2, 32, true, PTO),
        FIELD(152, 2, 32, true, Zodiac),
        FIELD(176, 2, 32, true, Fatness),
        FIELD(178, 2, 32, true, GPA),
        FIELD(190, 4, 32, true, Career),
        FIELD(190, 4, 32, false, LoadedCareer),
        FIELD(194, 2, 32, true, AgeDaysLeft),
        FIELD(196, 2, 32, true, DaysPrevAge),
        FIELD(226, 4, 32, true, School),
        FIELD(234, 2, 32, true, Word234),
        FIELD(236, 2, 32, true, LocoBalance),
        FIELD(238, 2, 32, true, LocoWeight1),
        FIELD(250, 4, 32, false, OutfitSourceGUID),
        FIELD(256, 2, 32, true, FitnessPreference),
        FIELD(258, 2, 32, true, Pension),
        FIELD(260, 2, 32, true, Politics),
        FIELD(262, 2, 32, true, Money),
        FIELD(264, 2, 32, true, Environment),
        FIELD(266, 2, 32, true, Crime),
        FIELD(268, 2, 32, true, Entertainment),
        FIELD(270, 2, 32, true, Culture),
        FIELD(272, 2, 32, true, Food),
        FIELD(274, 2, 32, true, Health),
        FIELD(276, 2, 32, true, Fashion),
        FIELD(278, 2, 32, true, Sports),
        FIELD(280, 2, 32, true, Paranormal),
        FIELD(282, 2, 32, true, Travel),
        FIELD(284, 2, 32, true, Work),
        FIELD(286, 2, 32, true, Weather),
        FIELD(288, 2, 32, true, Animals),
        FIELD(290, 2, 32, true, SchoolInterest),
        FIELD(292, 2, 32, true, Toys),
        FIELD(294, 2, 32, true, SciFi),
        FIELD(322, 2, 32, true, NPCType),
        FIELD(324, 2, 32, true, AgeDuration),
        FIELD(332, 2, 32, true, AspirationScore),
        FIELD(334, 2, 32, true, AspirationRewardPoints),
        FIELD(336, 2, 32, true, AspirationLevel),
        FIELD(338, 2, 32, true, Word338),
        FIELD(346, 4, 32, true, RetCareer),
        FIELD(350, 2, 32, true, RetJobs),
        FIELD(352, 4, 34, true, UniversityMajor),
        FIELD(356, 2, 34, true, GradePeriod),
        FIELD(360, 2, 34, true, UniversityClass),
        FIELD(362, 2, 34, true, YoungAdult),
        FIELD(364, 2, 34, true, InfluenceLevel),
        FIELD(366, 2, 34, true, InfluenceMinimum),
        FIELD(368, 2, 34, true, InfluenceScore),
        FIELD(372, 4, 41, true, AttractionTraits),
        FIELD(376, 4, 41, true, TurnOns),
        FIELD(380, 4, 41, true, TurnOffs),
        FIELD(384, 2, 44, false, Species),
        FIELD(414, 2, 47, true, TurnOnsExt),
        FIELD(416, 2, 47, true, TurnOffsExt),
        FIELD(420, 2, 51, true, Cuisine),
        FIELD(422, 2, 51, true, ArtsCrafts),
        FIELD(424, 2, 51, true, FilmsLiterature),
        FIELD(426, 2, 51, true, SportsHB),
        FIELD(428, 2, 51, true, Games),
        FIELD(430, 2, 51, true, Nature),
        FIELD(432, 2, 51, true, Tinkering),
        FIELD(434, 2, 51, true, Fitness),
        FIELD(436, 2, 51, true, Science),
        FIELD(438, 2, 51, true, MusicDance),
        FIELD(442, 2, 51, true, Talent),
        FIELD(444, 2, 51, true, LTAspiration),
        FIELD(446, 2, 51, true, LTAUnlocks),
        FIELD(448, 2, 51, true, LTAUnlocksUsed),
        FIELD(450, 2, 51, true, Hunger),
        FIELD(452, 2, 51, true, Comfort),
        FIELD(454, 2, 51, true, Bladder),
        FIELD(456, 2, 51, true, Energy),
        FIELD(458, 2, 51, true, Hygiene),
        FIELD(460, 2, 51, true, Fun),
        FIELD(462, 2, 51, true, Social),
    };
    return fields;
}

#undef FIELD

struct Version {
    std::uint16_t version;
    std::size_t guidOffset;
};
constexpr Version kVersions[] = {{32, 354}, {34, 372}, {41, 404}, {42, 412},
                                 {44, 414}, {47, 422}, {51, 470}};

constexpr FourBytes kGuid{0x5A, 0x17, 0xC3, 0x08};
constexpr FourBytes kLotManagedJob{0x0A, 0x40, 0x8F, 0xD0};

Bytes Slice(const Bytes& data, std::size_t offset, std::size_t width) {
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(offset),
                 data.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

void Put(Bytes& data, std::size_t offset, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(offset));
}

// A description of the version full of distinct values, the GUID in its place and a tail of
// bytes after the GUID that no field covers.
Bytes Description(const Version& v, FourBytes guid = kGuid) {
    Bytes d = NoiseBytes(v.guidOffset + 4 + 24, v.version);
    Put(d, 4, Encode(v.version));
    Put(d, v.guidOffset, Bytes(guid.begin(), guid.end()));
    return d;
}

Character Sim(FourBytes guid = kGuid) {
    Character c;
    c.GUID = guid;
    return c;
}

// Offsets at which two byte strings differ, for readable failures.
std::vector<std::size_t> Differences(const Bytes& a, const Bytes& b) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) out.push_back(i);
    return out;
}

Bytes Invert(Bytes b) {
    for (auto& x : b) x = static_cast<std::uint8_t>(~x);
    return b;
}

// Per version: read every field it carries (the others keep what the record held), change every
// field of the record, write back, and find exactly the saved fields of that version changed,
// the job words reset after the career change from 42 on, and every other byte as it was.
TEST(SimDescriptionTest, EachVersionReadsItsFieldsAndWritesBackOnlyItsSavedOnes) {
    for (const Version& v : kVersions) {
        SCOPED_TRACE(v.version);
        const Bytes original = Description(v);
        Character sim = Sim();
        const Bytes sentinel{0xEE, 0xEE, 0xEE, 0xEE};
        for (const Field& f : Layout()) f.set(sim, sentinel);

        FakeMessages messages;
        ASSERT_TRUE(ReadSimDescription(original, sim, messages));
        EXPECT_TRUE(messages.shown.empty());
        for (const Field& f : Layout()) {
            SCOPED_TRACE(f.name);
            if (v.version >= f.firstVersion)
                EXPECT_EQ(f.get(sim), Slice(original, f.offset, f.width));
            else
                EXPECT_EQ(f.get(sim), Slice(sentinel, 0, f.width));
        }

        // Saved fields get the inverse of what was read; the others yet another value, so
        // Career and LoadedCareer end up different: a career change.
        for (const Field& f : Layout()) {
            const Bytes now = f.get(sim);
            Bytes changed = Invert(now);
            if (!f.saved)
                for (auto& x : changed) x = static_cast<std::uint8_t>(x ^ 0x5A);
            f.set(sim, changed);
        }
        ASSERT_NE(sim.Career, sim.LoadedCareer);
        ASSERT_NE(sim.Career, kLotManagedJob);
        sim.Modified = true;

        Bytes expected = original;
        for (const Field& f : Layout())
            if (f.saved && v.version >= f.firstVersion)
                Put(expected, f.offset, Invert(Slice(original, f.offset, f.width)));
        if (v.version >= 42) Put(expected, 402, Bytes(4, 0));

        Bytes image = original;
        const Character* sims[] = {&sim};
        WriteSimDescription(image, sims);
        EXPECT_EQ(Differences(image, expected), std::vector<std::size_t>{});
        if (v.version == 32) {
            EXPECT_TRUE(std::equal(image.begin() + 352, image.end(), original.begin() + 352))
                << "a version-32 description is never written past offset 351";
        }
    }
}

// The job words 402 and 404 start again at 0 when the career changed, from version 42 on, unless
// the new job is the lot-managed one.
TEST(SimDescriptionTest, CareerChangeResetsTheJobWords) {
    const FourBytes doctor{0x11, 0x22, 0x33, 0x44};
    const FourBytes artist{0x55, 0x66, 0x77, 0x88};
    struct Case {
        std::uint16_t version;
        FourBytes loaded, career;
        bool reset;
    } cases[] = {
        {51, doctor, artist, true},          {47, doctor, artist, true},
        {44, doctor, artist, true},          {42, doctor, artist, true},
        {51, doctor, kLotManagedJob, false}, {42, FourBytes{}, kLotManagedJob, false},
        {51, doctor, doctor, false},         {41, doctor, artist, false},
        {34, doctor, artist, false},         {32, doctor, artist, false},
    };
    for (const Case& c : cases) {
        const Version& v = *std::find_if(std::begin(kVersions), std::end(kVersions),
                                         [&](const Version& x) { return x.version == c.version; });
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", reset " << c.reset);
        Bytes original = Description(v);
        if (original.size() >= 406 && v.guidOffset > 404) Put(original, 402, {1, 2, 3, 4});
        Character sim = Sim();
        FakeMessages messages;
        ASSERT_TRUE(ReadSimDescription(original, sim, messages));
        sim.LoadedCareer = c.loaded;
        sim.Career = c.career;
        sim.Modified = true;

        Bytes image = original;
        const Character* sims[] = {&sim};
        WriteSimDescription(image, sims);
        EXPECT_EQ(Slice(image, 190, 4), Bytes(c.career.begin(), c.career.end()));
        if (c.reset) {
            EXPECT_EQ(Slice(image, 402, 4), Bytes(4, 0));
        } else if (original.size() >= 406) {
            // For version 41 offset 404 is its GUID, which must survive.
            EXPECT_EQ(Slice(image, 402, 4), Slice(original, 402, 4));
        }
        EXPECT_EQ(image.size(), original.size());
    }
}

// Which sims a description is written for: modified ones holding its GUID, in list order.
TEST(SimDescriptionTest, WritesOnlyForModifiedSimsWithItsGuid) {
    const Version v51{51, 470};
    const FourBytes other{9, 9, 9, 9};
    auto simWithNice = [](FourBytes guid, std::int16_t nice, bool modified) {
        Character c = Sim(guid);
        c.Nice = nice;
        c.Modified = modified;
        return c;
    };
    const Character matching = simWithNice(kGuid, 700, true);
    const Character later = simWithNice(kGuid, 800, true);
    const Character unmodified = simWithNice(kGuid, 500, false);
    const Character stranger = simWithNice(other, 600, true);

    Bytes unknownVersion = Description(v51);
    Put(unknownVersion, 4, Encode(std::uint16_t{50}));
    Bytes truncated = Description(v51);
    truncated.resize(472);  // GUID cut short

    struct Case {
        const char* name;
        Bytes description;
        std::vector<const Character*> sims;
        std::optional<std::int16_t> nice;  // nothing: the description stays as copied
    } cases[] = {
        {"modified sim with the GUID", Description(v51), {&stranger, &matching}, 700},
        {"later match wins", Description(v51), {&matching, &later}, 800},
        {"unmodified sim", Description(v51), {&unmodified}, std::nullopt},
        {"no sim with the GUID", Description(v51), {&stranger}, std::nullopt},
        {"null entries are skipped", Description(v51), {nullptr}, std::nullopt},
        {"unknown version", unknownVersion, {&matching}, std::nullopt},
        {"description too short", truncated, {&matching}, std::nullopt},
        {"fewer bytes than a version", Bytes{1, 2, 3, 4, 51}, {&matching}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes image = c.description;
        WriteSimDescription(image, c.sims);
        if (!c.nice) {
            EXPECT_EQ(image, c.description);
            continue;
        }
        // Every other saved field is written from the record too (zeros here).
        EXPECT_EQ(Slice(image, 16, 2), Encode(*c.nice));
        EXPECT_EQ(Slice(image, 18, 2), Bytes(2, 0));
        EXPECT_EQ(Slice(image, 470, 4), Bytes(kGuid.begin(), kGuid.end()));
    }
}

// Unknown versions and other sims' descriptions are refused without touching the record, except
// FormatVersion, which every description tried sets.
TEST(SimDescriptionTest, RefusesOtherVersionsAndOtherSims) {
    struct Case {
        const char* name;
        std::uint16_t version;
        FourBytes guid;
        bool message;
    } cases[] = {
        {"version 33", 33, kGuid, true},          {"version 0", 0, kGuid, true},
        {"version 52", 52, kGuid, true},          {"version 85", 85, kGuid, true},
        {"another sim", 51, {1, 2, 3, 4}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes d = Description({51, 470}, c.guid);
        Put(d, 4, Encode(c.version));
        Character sim = Sim();
        sim.Nice = 123;
        sim.Species = 3;
        FakeMessages messages;
        EXPECT_FALSE(ReadSimDescription(d, sim, messages));
        EXPECT_EQ(sim.FormatVersion, c.version);
        EXPECT_EQ(sim.Nice, 123);
        EXPECT_EQ(sim.Species, 3);
        EXPECT_EQ(messages.shown, c.message ? std::vector<std::string>{"Unknown Character Format"}
                                            : std::vector<std::string>{});
    }
}

// A description cut anywhere before its GUID's last byte is a read error and leaves the record's
// fields as they were.
TEST(SimDescriptionTest, ShortDescriptionIsAReadErrorAndChangesNoField) {
    for (const Version& v : kVersions) {
        SCOPED_TRACE(v.version);
        const Bytes full = Description(v);
        EXPECT_EQ(SimDescriptionSize(v.version), v.guidOffset + 4);
        for (std::size_t cut = 0; cut < v.guidOffset + 4; ++cut) {
            Character sim = Sim();
            sim.Nice = 77;
            FakeMessages messages;
            const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_THROW(ReadSimDescription(part, sim, messages), ReadError) << cut;
            EXPECT_EQ(sim.Nice, 77) << cut;
        }
    }
}

// Matching at load: descriptions tried in index order, compressed ones decoded, undecodable and
// unknown ones skipped with their message, and the first match ends the search.
TEST(SimDescriptionTest, MatchTriesDescriptionsInIndexOrder) {
    const Version v47{47, 422};
    Bytes other = Description(v47, {1, 1, 1, 1});
    Bytes unknown = Description(v47);
    Put(unknown, 4, Encode(std::uint16_t{40}));
    Bytes mine = Description(v47);
    Put(mine, 16, Encode(std::int16_t{-321}));
    Bytes undecodable = QfsStream(600, {0xE0, 1, 2, 3, 4, 0xFC});

    const Bytes package = PackageBuilder(24)
                              .add(types::Household, 0x30, Description(v47))
                              .add(types::SimDescription, 0x10, unknown)
                              .add(types::SimDescription, 0x11, undecodable)
                              .add(types::SimDescription, 0x12, other)
                              .addCompressed(types::SimDescription, 0x13, mine)
                              .add(types::SimDescription, 0x14, unknown)
                              .build();
    EntryList entries;
    ASSERT_EQ(ReadIndex(package, entries), 24);

    FakeMessages messages;
    const SimDescriptionIndex index(package, entries, messages);
    Character sim = Sim();
    index.Match(sim);
    EXPECT_EQ(sim.DescriptionInstance, 0x13u);
    EXPECT_EQ(sim.FormatVersion, 47);
    EXPECT_EQ(sim.Nice, -321);
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Unknown Character Format", "Decompression Error",
                                        "Unknown Character Format"}));

    // No match: the sim names no description at all rather than the last entry tried.
    Character stranger = Sim({7, 7, 7, 7});
    stranger.DescriptionInstance = 0;
    index.Match(stranger);
    EXPECT_EQ(stranger.DescriptionInstance, kNoDescription);
    EXPECT_EQ(stranger.FormatVersion, 40) << "that of the last description read";
}

TEST(SimDescriptionTest, NewCharacterHoldsUnreadBodyProperties) {
    const Character sim;
    EXPECT_EQ(static_cast<std::int16_t>(sim.PropertyAge), -1);
    EXPECT_EQ(static_cast<std::int16_t>(sim.PropertyGender), -1);
    EXPECT_FALSE(sim.Modified);
    EXPECT_TRUE(sim.BodySourcePath.empty());
}

}  // namespace
}  // namespace kinloom
