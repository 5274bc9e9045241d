// The one rule for typed numbers: a whole decimal number the field's range holds, or a reason.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/editing/CharacterFields.h"
#include "core/records/NumberFit.h"

namespace kinloom {
namespace {

TEST(NumberFitTest, WholeNumbersWithinTheRangeFitAndOthersSayWhy) {
    struct Case {
        std::string text;
        NumberRange range;
        std::optional<std::int64_t> value;
        std::string problem;
    };
    const Case cases[] = {
        {"0", RangeOf<std::int16_t>(), 0, ""},
        {"-32768", RangeOf<std::int16_t>(), -32768, ""},
        {"32767", RangeOf<std::int16_t>(), 32767, ""},
        {"007", RangeOf<std::int16_t>(), 7, ""},
        {"70000", RangeOf<std::int16_t>(), std::nullopt, "70000 is outside -32768..32767"},
        {"-32769", RangeOf<std::int16_t>(), std::nullopt, "-32769 is outside -32768..32767"},
        {"-1", RangeOf<std::uint16_t>(), std::nullopt, "-1 is outside 0..65535"},
        {"65535", RangeOf<std::uint16_t>(), 65535, ""},
        {"4294967295", RangeOf<std::uint32_t>(), 4294967295LL, ""},
        // Far more digits than any integer holds: still "outside", never a wrapped value.
        {"123456789012345678901234567890", RangeOf<std::int32_t>(), std::nullopt,
         "123456789012345678901234567890 is outside -2147483648..2147483647"},
        {"", RangeOf<std::int16_t>(), std::nullopt, "not a whole number: "},
        {"-", RangeOf<std::int16_t>(), std::nullopt, "not a whole number: -"},
        {"+5", RangeOf<std::int16_t>(), std::nullopt, "not a whole number: +5"},
        {"1x", RangeOf<std::int16_t>(), std::nullopt, "not a whole number: 1x"},
        {" 5", RangeOf<std::int16_t>(), std::nullopt, "not a whole number:  5"},
        {"5-", RangeOf<std::int16_t>(), std::nullopt, "not a whole number: 5-"},
        {"10", {0, 9}, std::nullopt, "10 is outside 0..9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const NumberFit fit = FitNumber(c.text, c.range);
        EXPECT_EQ(fit.Value, c.value);
        EXPECT_EQ(fit.Problem, c.problem);
        // The window's text gives the same answer.
        const NumberFit typed = FitNumber(std::u16string(c.text.begin(), c.text.end()), c.range);
        EXPECT_EQ(typed.Value, c.value);
        EXPECT_EQ(typed.Problem, c.problem);
    }
    // A character beyond ASCII is no digit, even one whose low byte is.
    EXPECT_FALSE(FitNumber(std::u16string(u"1\u0130"), RangeOf<std::int16_t>()).Value);
    EXPECT_FALSE(FitNumber(std::u16string(u"\uff11"), RangeOf<std::int16_t>()).Value);
}

// The command line's set and the window refuse the same numbers with the same words.
TEST(NumberFitTest, SettingAFieldByNameFollowsTheSameRule) {
    Character sim;
    sim.AgeDaysLeft = 12;
    const CharacterField* field = FindCharacterField("AgeDaysLeft");
    ASSERT_NE(field, nullptr);
    const auto refused = SetFieldText(sim, *field, "70000");
    ASSERT_TRUE(refused);
    EXPECT_EQ(*refused, FitNumber("70000", RangeOf<std::int16_t>()).Problem);
    EXPECT_EQ(sim.AgeDaysLeft, 12);
    EXPECT_FALSE(SetFieldText(sim, *field, "-32768"));
    EXPECT_EQ(sim.AgeDaysLeft, -32768);
}

}  // namespace
}  // namespace kinloom
