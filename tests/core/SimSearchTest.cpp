// Finding sims by typing: case and accents never stand in the way, every word typed must occur,
// and a sim is found by its names, household, life stage and career.

#include <gtest/gtest.h>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SimSearch.h"
#include "core/packages/Utf8.h"

namespace kinloom {
namespace {

TEST(SimSearchTest, FoldingIgnoresCaseAndAccents) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Zoë", u"zoe"},
        {u"ÀÉÎÕÜ Ñ Ç", u"aeiou n c"},
        {u"Straße", u"strasse"},
        {u"Æsir Œuvre", u"aesir oeuvre"},
        {u"Łukasz Żółć Škoda Ğül", u"lukasz zolc skoda gul"},
        {u"ÅSA ØYVIND", u"asa oyvind"},
        {u"Zoe\u0308", u"zoe"},  // the accent written as its own character
        {u"ΑΘΗΝΑ Ёлка ПЁТР", u"αθηνα ёлка пётр"},
        {u"× ÷ 42 日本", u"× ÷ 42 日本"},
    };
    for (const auto& [text, folded] : cases) {
        SCOPED_TRACE(EncodeUtf8(text));
        EXPECT_EQ(FoldForSearch(text), folded);
    }
}

TEST(SimSearchTest, EveryWordTypedMustOccur) {
    const std::u16string text = FoldForSearch(u"Zoë Hartwell Hartwell Teen Unemployed");
    EXPECT_TRUE(SearchMatches(text, u""));
    EXPECT_TRUE(SearchMatches(text, u"  "));
    EXPECT_TRUE(SearchMatches(text, u"zoe"));
    EXPECT_TRUE(SearchMatches(text, u"HART  zoë"));
    EXPECT_TRUE(SearchMatches(text, u"teen"));
    EXPECT_FALSE(SearchMatches(text, u"zoe elder"));
    EXPECT_FALSE(SearchMatches(text, u"zoey"));
}

TEST(SimSearchTest, ASimIsFoundByNameHouseholdLifeStageAndCareer) {
    test::TempDir dir;
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood state;
    ASSERT_TRUE(
        LoadNeighborhood(test::WriteDemoN001(dir / "demo"), state, LabelForm::FirstName, context)
            .Loaded);
    const Character* housed = nullptr;
    for (const Character* sim : state.Sims)
        if (sim->FamilyNumber != 0 && !housed) housed = sim;
    ASSERT_NE(housed, nullptr);
    const std::u16string text = SimSearchText(state, *housed);
    const Household* home = state.FindHousehold(static_cast<std::uint16_t>(housed->FamilyNumber));
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(SearchMatches(text, DecodeUtf8(housed->FirstName))) << EncodeUtf8(text);
    EXPECT_TRUE(SearchMatches(text, DecodeUtf8(housed->LastName)));
    EXPECT_TRUE(SearchMatches(text, state.HouseholdLabel(*home)));
    // Agnes is an elder in the demo; her life stage finds her.
    bool agnes = false;
    for (const Character* sim : state.Sims) {
        if (DecodeUtf8(sim->FirstName) != u"Agnes") continue;
        agnes = true;
        EXPECT_TRUE(SearchMatches(SimSearchText(state, *sim), u"agnes elder"));
        EXPECT_FALSE(SearchMatches(SimSearchText(state, *sim), u"agnes teen"));
    }
    EXPECT_TRUE(agnes);
}

}  // namespace
}  // namespace kinloom
