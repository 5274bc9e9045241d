// The shared rules of the sim attribute pages: number fields, 16-bit storage, random draws, pets
// and the fixed tables the pages are built from.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <tuple>

#include "core/editing/EditingModel.h"

namespace kinloom {
namespace {

TEST(EditingModelTest, NumberFieldCleaningKeepsLengthAndReadsTheValue) {
    struct Case {
        std::u16string typed;
        std::u16string cleaned;
        std::int32_t value;
    };
    const Case cases[] = {
        {u"12a", u"120", 120},
        {u"-5", u"05", 5},
        {u"1a2", u"102", 102},
        {u"", u"", 0},
        {u"\u00e9\u00e9", u"00", 0},
        {u"2147483647", u"2147483647", 2147483647},
        {u"2147483648", u"2147483648", 0},  // beyond 32 bits: 0, not a wrapped number
        {u"99999999999999999999", u"99999999999999999999", 0},
        {u"0000000042", u"0000000042", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        const std::u16string cleaned = CleanNumberText(c.typed);
        EXPECT_EQ(cleaned, c.cleaned);
        EXPECT_EQ(cleaned.size(), c.typed.size());
        EXPECT_EQ(NumberFieldValue(cleaned), c.value);
    }
}

TEST(EditingModelTest, SixteenBitFieldsKeepTheLowBits) {
    const std::pair<std::int64_t, std::int16_t> cases[] = {
        {70000, 4464}, {65535, -1}, {32768, -32768},  {32767, 32767},
        {0, 0},        {-1, -1},    {2147483647, -1},
    };
    for (auto [in, out] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(Low16(in), out);
    }
}

TEST(EditingModelTest, RandomDrawsStayBelow999AndFollowTheClock) {
    std::uint64_t now = 12345;
    TraitRandom random([&now] { return now; });
    std::set<int> seen;
    std::vector<int> first;
    for (int i = 0; i < 20000; ++i) {
        const int d = random.Draw();
        ASSERT_GE(d, 0);
        ASSERT_LE(d, 998);
        seen.insert(d);
        if (i < 10) first.push_back(d);
    }
    // The whole range is reached, both ends included.
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 998);

    // Reseeding at the same clock repeats the draws; another time gives others.
    random.Reseed();
    std::vector<int> again;
    for (int i = 0; i < 10; ++i) again.push_back(random.Draw());
    EXPECT_EQ(again, first);
    now = 54321;
    random.Reseed();
    std::vector<int> other;
    for (int i = 0; i < 10; ++i) other.push_back(random.Draw());
    EXPECT_NE(other, first);
}

TEST(EditingModelTest, PetsOnlyWithThePetsExpansion) {
    for (std::uint16_t species = 0; species < 6; ++species) {
        SCOPED_TRACE(species);
        Character sim;
        sim.Species = species;
        EXPECT_EQ(IsPet(sim, true), species >= 1 && species <= 3);
        EXPECT_FALSE(IsPet(sim, false));
    }
}

TEST(EditingModelTest, NeedDecayValuesOutsideTheStepsShowNormal) {
    const std::pair<std::int16_t, int> cases[] = {{0, 0}, {12, 1},  {24, 2}, {36, 3},
                                                  {7, 0}, {-12, 0}, {48, 0}};
    for (auto [value, step] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(NeedDecayStep(value), step);
    }
}

TEST(EditingModelTest, ZodiacSignsAndCaptions) {
    EXPECT_EQ(ZodiacSignOf(0), nullptr);
    EXPECT_EQ(ZodiacSignOf(13), nullptr);
    EXPECT_EQ(ZodiacSignOf(-1), nullptr);
    const ZodiacSign* leo = ZodiacSignOf(5);
    ASSERT_NE(leo, nullptr);
    EXPECT_STREQ(leo->Name, "Leo");
    EXPECT_EQ(leo->Traits, (std::array<std::int16_t, 5>{400, 1000, 400, 400, 300}));
    EXPECT_STREQ(ZodiacSignOf(12)->Info,
                 "Pisces (Feb 19 - Mar 20)\r\nAttracted To - Scorpio && Gemini\r\n"
                 "Repelled By - Leo && Aries");
    EXPECT_EQ(SkillCaption(SkillFields()[1], 120), "Cooking:(120)");
}

TEST(EditingModelTest, TalentListAndInterestCaptions) {
    const std::pair<std::int16_t, int> cases[] = {{0, 0},  {204, 1}, {210, 7}, {213, 10},
                                                  {99, 0}, {214, 0}, {203, 0}};
    for (auto [talent, entry] : cases) {
        SCOPED_TRACE(talent);
        EXPECT_EQ(TalentListEntry(talent), entry);
    }
    EXPECT_EQ(TalentOfEntry(0), 0);
    EXPECT_EQ(TalentOfEntry(3), 206);
    EXPECT_EQ(TalentOfEntry(11), 0);

    const InterestField& money = InterestFields()[1];
    EXPECT_EQ(InterestCaption(money, false, 5), "Money:(5)");
    EXPECT_EQ(InterestCaption(money, true, 5), "Scary Things:(5)");
    // Interests a pet does not have keep their own caption.
    EXPECT_EQ(InterestCaption(InterestFields()[17], true, 0), "Sci-Fi:(0)");
}

TEST(EditingModelTest, AspirationBitsAndPositions) {
    struct Case {
        std::int16_t bits;
        int primary;
        int secondary;
    };
    const Case cases[] = {
        {0, 0, 0},      {17, 1, 5},     {32, 6, 0},
        {0x80, 8, 0},   {0x0107, 1, 2},  // a third bit is lost
        {0x0100, 0, 0},                  // beyond the lists
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        EXPECT_EQ(AspirationPositions(c.bits), std::make_pair(c.primary, c.secondary));
    }
    EXPECT_EQ(AspirationOf(6, -1), 32);
    EXPECT_EQ(AspirationOf(1, 5), 17);
    EXPECT_EQ(AspirationOf(9, 0), 0);  // "Grilled Cheese" has no bit

    EXPECT_EQ(AspirationScoreMaximum(2, false), 3000);
    EXPECT_EQ(AspirationScoreMaximum(51, false), 15000);
    EXPECT_EQ(AspirationScoreMaximum(16, true), 100);
    EXPECT_EQ(AspirationScoreMaximum(7, true), 0);

    EXPECT_EQ(UnlockEntryCount(3), 14);
    EXPECT_EQ(UnlockEntryCount(16), 1);
    EXPECT_EQ(UnlockEntryCount(17), 0);
    EXPECT_EQ(UnlockEntryCount(-2), 0);
}

// The game's points are kept in tens: only a number the sim can keep is taken, never rounded.
TEST(EditingModelTest, RewardPointsAreTakenOnlyWhenTheSimCanKeepThem) {
    const std::tuple<std::u16string, std::optional<std::int16_t>, std::string> cases[] = {
        {u"1230", 123, ""},
        {u"", 0, ""},
        {u"0", 0, ""},
        {u"327670", 32767, ""},
        {u"1234", std::nullopt, "1234 cannot be stored, 1230 or 1240 can"},
        {u"5", std::nullopt, "5 cannot be stored, 0 or 10 can"},
        {u"32765", std::nullopt, "32765 cannot be stored, 32760 or 32770 can"},
        {u"327675", std::nullopt, "327675 is outside"},
        // 70000 tens do not fit the 16-bit field: refused, never kept as their low 16 bits.
        {u"700000", std::nullopt, "700000 is outside"},
        {u"327680", std::nullopt, "327680 is outside"},
    };
    for (const auto& [typed, stored, problem] : cases) {
        SCOPED_TRACE(std::string(typed.begin(), typed.end()));
        const NumberFit fit = RewardPointsValue(typed);
        EXPECT_EQ(fit.Value, stored);
        EXPECT_EQ(fit.Problem.empty(), stored.has_value());
        EXPECT_NE(fit.Problem.find(problem), std::string::npos) << fit.Problem;
    }
}

// A typed number goes into a field only when the field's range holds it; an empty field is 0.
TEST(EditingModelTest, TypedNumbersBeyondTheFieldAreRefused) {
    struct Case {
        std::u16string cleaned;
        NumberRange range;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {u"", RangeOf<std::int16_t>(), 0},
        {u"32767", RangeOf<std::int16_t>(), 32767},
        {u"32768", RangeOf<std::int16_t>(), std::nullopt},
        {u"70000", RangeOf<std::int16_t>(), std::nullopt},  // once stored as 4464
        {u"0000000042", RangeOf<std::int16_t>(), 42},
        {u"2147483647", RangeOf<std::int32_t>(), 2147483647},
        {u"2147483648", RangeOf<std::int32_t>(), std::nullopt},  // once stored as 0
        {u"99999999999999999999999", RangeOf<std::int32_t>(), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cleaned.begin(), c.cleaned.end()));
        const NumberFit fit = TypedNumber(c.cleaned, c.range);
        EXPECT_EQ(fit.Value, c.value);
        const std::string text(c.cleaned.begin(), c.cleaned.end());
        EXPECT_EQ(fit.Problem, c.value ? std::string()
                                       : text + " is outside " + std::to_string(c.range.Min) +
                                             ".." + std::to_string(c.range.Max));
    }
}

// A multi-line box hands breaks back as "\n"; they go back in the stored text's own form.
TEST(EditingModelTest, LineBreaksKeepTheirStoredForm) {
    const std::tuple<std::u16string, std::u16string, std::u16string> cases[] = {
        {u"a\r\nb", u"a\nb!", u"a\r\nb!"},
        {u"a\nb\r\nc", u"a\nb\nc", u"a\nb\nc"},  // the first break sets the form
        {u"a\rb", u"a\nb\nc", u"a\rb\rc"},
        {u"one line", u"two\nlines", u"two\r\nlines"},  // the game's own form
        {u"", u"", u""},
        {u"a\r\n", u"no break", u"no break"},
    };
    for (const auto& [stored, typed, written] : cases)
        EXPECT_EQ(WithStoredLineBreaks(stored, typed), written);
}

}  // namespace
}  // namespace kinloom
