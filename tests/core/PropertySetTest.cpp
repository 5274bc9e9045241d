#include <gtest/gtest.h>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/packages/PropertySet.h"

namespace kinloom {
namespace {

using test::FakeMessages;
using test::SetU32;

const std::string kSkin = "00000000-0000-0000-0000-000000000001";
const std::string kHair = "00000000-0000-0000-0000-000000000002";
const std::string kEyes = "00000000-0000-0000-0000-000000000003";
const std::string kNewSkin = "b6ee1dbc-5bb3-4146-8315-02bd64eda707";
const std::string kNewHair = "3cca84a5-6f9a-4b03-a38b-6ea8b74fe26d";
const std::string kNewEyes = "8a2bd0f3-55e2-4a88-9d9d-4d6b8b9e1a11";

// A binary property set, property by property, as the game stores them.
class PropertySetBuilder {
public:
    PropertySetBuilder& number(const std::string& name, std::uint32_t value) {
        head(valuetypes::Number, name);
        AppendU32(body_, value);
        return *this;
    }
    PropertySetBuilder& text(const std::string& name, const std::string& value) {
        head(valuetypes::Text, name);
        AppendU32(body_, static_cast<std::uint32_t>(value.size()));
        body_.insert(body_.end(), value.begin(), value.end());
        return *this;
    }
    PropertySetBuilder& opaque(const std::string& name) {
        head(valuetypes::Opaque, name);
        AppendU32(body_, 0xDEADBEEF);
        return *this;
    }
    // A value type the reader does not know: no value bytes follow the name.
    PropertySetBuilder& other(const std::string& name, std::uint32_t type = 0x12345678) {
        head(type, name);
        return *this;
    }
    Bytes build(std::uint32_t format = kPropertySetFormat) const {
        Bytes out;
        AppendU32(out, format);
        AppendU16(out, 0x0102);
        AppendU32(out, count_);
        out.insert(out.end(), body_.begin(), body_.end());
        return out;
    }

private:
    void head(std::uint32_t type, const std::string& name) {
        AppendU32(body_, type);
        AppendU32(body_, static_cast<std::uint32_t>(name.size()));
        body_.insert(body_.end(), name.begin(), name.end());
        ++count_;
    }
    Bytes body_;
    std::uint32_t count_ = 0;
};

Bytes SimSet(const std::string& skin, const std::string& hair, const std::string& eyes) {
    return PropertySetBuilder()
        .number("age", 0x20)
        .opaque("product")
        .text("skincolor", skin)
        .other("mystery")
        .number("gender", 2)
        .text("haircolor", hair)
        .text("eyecolor", eyes)
        .text("name", "unchanged")
        .build();
}

TEST(ReadPropertySetTest, ReadsEveryValueTypeAndTheNextPropertyAfterAnUnknownOne) {
    const Bytes set = PropertySetBuilder()
                          .number("age", 0x12345678)
                          .other("odd")
                          .text("skincolor", "abc")
                          .opaque("product")
                          .text("", "")
                          .build();
    const std::vector<Property> props = ReadPropertySet(set);
    ASSERT_EQ(props.size(), 5u);
    EXPECT_EQ(props[0].Name, "age");
    EXPECT_EQ(props[0].ValueType, valuetypes::Number);
    EXPECT_EQ(props[0].Number, 0x12345678u);
    EXPECT_EQ(props[1].Name, "odd");
    EXPECT_EQ(props[1].ValueType, 0x12345678u);
    EXPECT_EQ(props[2].Name, "skincolor");
    EXPECT_EQ(props[2].Text, "abc");
    EXPECT_EQ(props[3].Name, "product");
    EXPECT_EQ(props[3].Number, 0u);
    EXPECT_EQ(props[3].Text, "");
    EXPECT_EQ(props[4].Name, "");
}

TEST(ReadPropertySetTest, OtherFormatsHoldNoProperties) {
    Bytes set = PropertySetBuilder().text("0", "x").build(0xCBE750E1);
    EXPECT_TRUE(ReadPropertySet(set).empty());
    EXPECT_EQ(VersionText(set), "");
    SimProperties sim{7, 8, "s", "h", "e", {}};
    ReadSimProperties(set, sim);
    EXPECT_EQ(sim.PropertyAge, 7);
    EXPECT_EQ(sim.SkinColor, "s");
}

TEST(ReadPropertySetTest, ShortOrLyingContentRaisesReadError) {
    const Bytes whole = SimSet(kSkin, kHair, kEyes);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_THROW(ReadPropertySet(part), ReadError);
    }
    struct Case {
        const char* what;
        std::size_t field;
        std::uint32_t value;
    };
    // Offsets within PropertySetBuilder().text("eyecolor", kEyes).
    for (const Case& c : {Case{"count", 6, 0xFFFFFFFF}, Case{"name length", 14, 0xFFFFFFF0},
                          Case{"value length", 26, 0x7FFFFFFF}}) {
        SCOPED_TRACE(c.what);
        Bytes set = PropertySetBuilder().text("eyecolor", kEyes).build();
        SetU32(set, c.field, c.value);
        EXPECT_THROW(ReadPropertySet(set), ReadError);
        SimProperties sim;
        EXPECT_THROW(ReadSimProperties(set, sim), ReadError);
    }
}

TEST(VersionTextTest, JoinsPropertiesZeroAndOneOnlyWhenOneExists) {
    struct Case {
        const char* what;
        Bytes set;
        std::string expected;
    };
    const Case cases[] = {
        {"both", PropertySetBuilder().text("0", "1.0.0.1").text("1", "Build 7").build(),
         "1.0.0.1 - Build 7"},
        {"one before zero", PropertySetBuilder().text("1", "b").text("0", "a").build(), "a - b"},
        {"no zero", PropertySetBuilder().text("1", "Build 7").build(), " - Build 7"},
        {"no one", PropertySetBuilder().text("0", "1.0.0.1").build(), ""},
        {"empty one", PropertySetBuilder().text("0", "a").text("1", "").build(), "a - "},
        {"neither", PropertySetBuilder().text("2", "x").build(), ""},
        {"later zero wins",
         PropertySetBuilder().text("0", "a").text("0", "c").text("1", "b").build(), "c - b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(VersionText(c.set), c.expected);
    }
    EXPECT_THROW(VersionText(Bytes{0xE0, 0x50, 0xE7, 0xCB, 0, 0, 1, 0, 0}), ReadError);
}

TEST(ReadSimPropertiesTest, TakesBodyPropertiesAndLaterOnesOverride) {
    const Bytes set = PropertySetBuilder()
                          .number("age", 0x00010008)  // only the low 16 bits are kept
                          .number("gender", 1)
                          .text("skincolor", kSkin)
                          .text("haircolor", "first")
                          .text("eyecolor", kEyes)
                          .number("gender", 2)
                          .text("haircolor", kHair)
                          .build();
    SimProperties sim;
    ReadSimProperties(set, sim);
    EXPECT_EQ(sim.PropertyAge, 8);
    EXPECT_EQ(sim.PropertyGender, 2);
    EXPECT_EQ(sim.SkinColor, kSkin);
    EXPECT_EQ(sim.HairColor, kHair);
    EXPECT_EQ(sim.EyeColor, kEyes);

    // A value of the wrong kind gives 0 (numbers) or an empty text (colours).
    const Bytes odd = PropertySetBuilder()
                          .text("age", "16")
                          .opaque("gender")
                          .number("skincolor", 5)
                          .other("eyecolor")
                          .build();
    SimProperties kept{3, 4, "s", "h", "e", {}};
    ReadSimProperties(odd, kept);
    EXPECT_EQ(kept.PropertyAge, 0);
    EXPECT_EQ(kept.PropertyGender, 0);
    EXPECT_EQ(kept.SkinColor, "");
    EXPECT_EQ(kept.HairColor, "h") << "a property that is not there leaves the field";
    EXPECT_EQ(kept.EyeColor, "");
}

TEST(PatchColorStringsTest, OverwritesStoredColoursOfMatchingLength) {
    Bytes entry = SimSet(kSkin, kHair, kEyes);
    const std::size_t size = entry.size();
    FakeMessages messages;
    PatchColorStrings(entry, SimProperties{1, 2, kNewSkin, kNewHair, kNewEyes, {}}, messages);
    EXPECT_EQ(entry.size(), size);
    EXPECT_EQ(entry, SimSet(kNewSkin, kNewHair, kNewEyes));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PatchColorStringsTest, LeavesColoursThatDoNotFitAndSaysSoWhenStoredLengthDiffers) {
    const std::string stored32(32, 'a');
    const std::string record35(35, 'b');
    struct Case {
        const char* what;
        std::string storedSkin, storedHair, storedEyes;
        SimProperties record;
        Bytes expected;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {"record skin of 35 characters",
         kSkin,
         kHair,
         kEyes,
         SimProperties{0, 0, record35, kNewHair, kNewEyes, {}},
         SimSet(kSkin, kNewHair, kNewEyes),
         {}},
        {"empty record colours",
         kSkin,
         kHair,
         kEyes,
         SimProperties{},
         SimSet(kSkin, kHair, kEyes),
         {}},
        {"stored skin of 32",
         stored32,
         kHair,
         kEyes,
         SimProperties{0, 0, kNewSkin, kNewHair, kNewEyes, {}},
         SimSet(stored32, kNewHair, kNewEyes),
         {"Data Length Mismatch (chSkinColor)"}},
        {"stored hair and eyes of 32",
         kSkin,
         stored32,
         stored32,
         SimProperties{0, 0, kNewSkin, kNewHair, kNewEyes, {}},
         SimSet(kNewSkin, stored32, stored32),
         {"Data Length Mismatch (chHairColor)", "Data Length Mismatch (chEyeColor)"}},
        {"stored 32, record 35",
         stored32,
         kHair,
         kEyes,
         SimProperties{0, 0, record35, kHair, kEyes, {}},
         SimSet(stored32, kHair, kEyes),
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes entry = SimSet(c.storedSkin, c.storedHair, c.storedEyes);
        FakeMessages messages;
        PatchColorStrings(entry, c.record, messages);
        EXPECT_EQ(entry, c.expected);
        EXPECT_EQ(messages.shown, c.shown);
    }
}

TEST(PatchColorStringsTest, PatchesOnlyTheEntryItIsGiven) {
    // The entry sits inside a larger image; the bytes around it stay as they are.
    const Bytes set = SimSet(kSkin, kHair, kEyes);
    Bytes image(10, 0xAA);
    image.insert(image.end(), set.begin(), set.end());
    image.insert(image.end(), 10, 0xBB);
    FakeMessages messages;
    PatchColorStrings(std::span<std::uint8_t>(image).subspan(10, set.size()),
                      SimProperties{0, 0, kNewSkin, kNewHair, kNewEyes, {}}, messages);
    Bytes expected(10, 0xAA);
    const Bytes patched = SimSet(kNewSkin, kNewHair, kNewEyes);
    expected.insert(expected.end(), patched.begin(), patched.end());
    expected.insert(expected.end(), 10, 0xBB);
    EXPECT_EQ(image, expected);
}

TEST(PatchColorStringsTest, OtherFormatsAndDamagedSetsAreLeftUntouched) {
    const SimProperties record{0, 0, kNewSkin, kNewHair, kNewEyes, {}};
    {
        const Bytes original = PropertySetBuilder().text("skincolor", kSkin).build(0x11111111);
        Bytes entry = original;
        FakeMessages messages;
        PatchColorStrings(entry, record, messages);
        EXPECT_EQ(entry, original);
    }
    // Every cut of a set with a mismatched colour first: nothing patched, nothing said.
    const Bytes whole = SimSet(std::string(32, 'a'), kHair, kEyes);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Bytes original(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        Bytes entry = original;
        FakeMessages messages;
        EXPECT_THROW(PatchColorStrings(entry, record, messages), ReadError);
        EXPECT_EQ(entry, original);
        EXPECT_TRUE(messages.shown.empty());
    }
}

}  // namespace
}  // namespace kinloom

namespace kinloom {
namespace {

// The slots say what a save can write back: only what the reader took the value from (the last
// property of a name) counts, and only a number for age and gender, a 36-character colour.
TEST(SimPropertySlotsTest, FollowTheLastPropertyOfEachName) {
    struct Case {
        const char* what;
        Bytes set;
        PropertySlots expected;
    };
    const Case cases[] = {
        {"every value storable",
         PropertySetBuilder()
             .number("age", 8)
             .number("gender", 1)
             .text("skincolor", kSkin)
             .text("haircolor", kHair)
             .text("eyecolor", kEyes)
             .build(),
         {true, true, true, true, true}},
        {"age as text, gender opaque, a short colour",
         PropertySetBuilder().text("age", "8").opaque("gender").text("skincolor", "short").build(),
         {false, false, false, false, false}},
        {"a later property of the name decides",
         PropertySetBuilder()
             .number("age", 8)
             .text("age", "x")
             .text("eyecolor", "x")
             .text("eyecolor", kEyes)
             .build(),
         {false, false, false, false, true}},
        {"not a property set", PropertySetBuilder().number("age", 8).build(0x11111111), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimProperties sim;
        ReadSimProperties(c.set, sim);
        EXPECT_EQ(sim.Slots, c.expected);
    }
}

// Age and gender reach the set at save: the number properties take the record's 16 bits (the
// stored high half kept), whatever their place; an unread value (-1) writes nothing; colours as
// before; no other byte moves.
TEST(PatchSimPropertiesTest, WritesAgeAndGenderIntoTheirNumberProperties) {
    const Bytes set = PropertySetBuilder()
                          .text("skincolor", kSkin)
                          .number("age", 0xABCD0008)
                          .opaque("gender")
                          .number("gender", 2)
                          .text("age", "not a number")
                          .text("eyecolor", kEyes)
                          .build();
    FakeMessages messages;
    SimProperties record;
    record.PropertyAge = 64;
    record.PropertyGender = 1;
    record.SkinColor = kNewSkin;
    record.EyeColor = kNewEyes;

    Bytes patched = set;
    PatchSimProperties(patched, record, messages);
    ASSERT_EQ(patched.size(), set.size());
    std::vector<Property> after = ReadPropertySet(patched);
    ASSERT_EQ(after.size(), 6u);
    EXPECT_EQ(after[0].Text, kNewSkin);
    EXPECT_EQ(after[1].Number, 0xABCD0040u);
    EXPECT_EQ(after[3].Number, 1u);
    EXPECT_EQ(after[4].Text, "not a number") << "a text-typed age is left alone";
    EXPECT_EQ(after[5].Text, kNewEyes);
    EXPECT_TRUE(messages.shown.empty());

    // The colour patch alone leaves the numbers as stored.
    Bytes coloursOnly = set;
    PatchColorStrings(coloursOnly, record, messages);
    EXPECT_EQ(ReadPropertySet(coloursOnly)[1].Number, 0xABCD0008u);

    SimProperties unread = record;
    unread.PropertyAge = 0xFFFF;
    unread.PropertyGender = 0xFFFF;
    Bytes untouched = set;
    PatchSimProperties(untouched, unread, messages);
    EXPECT_EQ(ReadPropertySet(untouched)[1].Number, 0xABCD0008u);
    EXPECT_EQ(ReadPropertySet(untouched)[3].Number, 2u);
}

}  // namespace
}  // namespace kinloom
