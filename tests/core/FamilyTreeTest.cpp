// What the family tree page shows: parents, spouse, children and siblings from the family ties,
// the relatives it navigates to, and the family-tie dialog's candidates.
#include <gtest/gtest.h>

#include "BareSims.h"
#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/FamilyTree.h"
#include "core/editing/LoadNeighborhood.h"

namespace kinloom {
namespace {

using namespace tiekinds;

struct Hood {
    LoadedNeighborhood state;
    // Sims listed in the order given, all of them Oaks.
    explicit Hood(std::initializer_list<std::pair<std::uint32_t, const char*>> sims) {
        Character oak;
        oak.LastName = "Oak";
        test::AddBareSims(state, sims, oak);
    }
    Character& Sim(std::size_t position) { return *state.Sims[position]; }
};

std::vector<std::u16string> Names(const std::vector<Relative>& list) {
    std::vector<std::u16string> names;
    for (const Relative& r : list) names.push_back(r.Name);
    return names;
}

TEST(FamilyTreeTest, ReadsEachKindOfTieOwnedByTheSim) {
    // The sim's instance has high bits set and a low half above 32767: ties name it by the low
    // 16 bits over their whole range.
    Hood hood({{0x00019C40, "Self"},
               {1, "Ada"},
               {2, "Bram"},
               {3, "Cleo"},
               {4, "dora"},
               {5, "Eli"},
               {6, "ben"},
               {7, "Alba"}});
    const std::uint16_t self = 40000;
    hood.state.FamilyTies = {
        {self, FirstParent, 1},  {self, FirstParent, 2},  // the later one is shown
        {self, SecondParent, 3}, {self, Spouse, 5},
        {self, Child, 4},        {self, Child, 6},  // listed by name: "ben" before "dora"
        {self, Sibling, 7},      {self, 7, 1},      // an unknown kind shows nothing
        {self, Sibling, 999},                       // a relative not in the list: skipped
        {2, Child, self},                           // owned by someone else
    };

    const FamilyView view = FamilyOf(hood.state, hood.Sim(0));

    EXPECT_EQ(view.FirstParent, 2);
    EXPECT_EQ(view.SecondParent, 3);
    EXPECT_EQ(view.Spouse, 5);
    EXPECT_EQ(Names(view.Children), (std::vector<std::u16string>{u"ben Oak", u"dora Oak"}));
    EXPECT_EQ(Names(view.Siblings), (std::vector<std::u16string>{u"Alba Oak"}));
    EXPECT_EQ(view.Children[0].Sim, &hood.Sim(6));
    const std::vector<std::u16string> memo = {
        u"Ada Oak - (First Parent) 40000:0:1",   u"Bram Oak - (First Parent) 40000:0:2",
        u"Cleo Oak - (Second Parent) 40000:1:3", u"Eli Oak - (Spouse) 40000:2:5",
        u"dora Oak - (Child) 40000:4:4",         u"ben Oak - (Child) 40000:4:6",
        u"Alba Oak - (Sibling) 40000:3:7",       u"Ada Oak - (7) 40000:7:1",
    };
    EXPECT_EQ(view.Memo, memo);
}

TEST(FamilyTreeTest, ASimWithoutTiesShowsNobody) {
    Hood hood({{1, "Ada"}, {2, "Bram"}});
    hood.state.FamilyTies = {{2, Child, 1}};
    const FamilyView view = FamilyOf(hood.state, hood.Sim(0));
    EXPECT_EQ(view.FirstParent, -1);
    EXPECT_EQ(view.SecondParent, -1);
    EXPECT_EQ(view.Spouse, -1);
    EXPECT_TRUE(view.Children.empty());
    EXPECT_TRUE(view.Memo.empty());
}

TEST(FamilyTreeTest, ListChoicesLeadToTheSimWithTheWholeInstance) {
    // Two sims share the low 16 bits; a list entry carries the whole instance.
    Hood hood({{0x00010005, "High"}, {0x00000005, "Low"}, {0x00000005, "LowAgain"}});
    EXPECT_EQ(SimPositionByInstance(hood.state, 0x00000005), 1);
    EXPECT_EQ(SimPositionByInstance(hood.state, 0x00010005), 0);
    EXPECT_EQ(SimPositionByInstance(hood.state, 0x00020005), -1);
    // A tie names the first sim of the list with those low bits.
    EXPECT_EQ(SimPosition(hood.state, 5), 0);
}

TEST(FamilyTreeTest, ParentDialogOffersEverySimButTheSimAndTheOtherParent) {
    Hood hood({{1, "Ada"}, {2, "Bram"}, {3, "Cleo"}, {4, "Dora"}, {5, "Eli"}});
    hood.state.Form = LabelForm::FirstName;
    hood.Sim(2).FileName = "N001_User00003.package";
    const struct {
        const char* name;
        int selected, current, other;
        std::vector<std::uint32_t> offered;
        int preselected;
    } cases[] = {
        {"both parents shown", 2, 4, 0, {2, 4, 5}, 2},
        {"no parent shown: nothing preselected", 2, -1, -1, {1, 2, 4, 5}, -1},
        {"current parent listed first", 4, 0, 1, {1, 3, 4}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ParentCandidates candidates =
            ParentCandidatesFor(hood.state, c.selected, c.current, c.other);
        std::vector<std::uint32_t> offered;
        for (const Relative& r : candidates.Entries) offered.push_back(r.Sim->DescriptionInstance);
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(candidates.Preselected, c.preselected);
    }
    // Entries read as the sim list does.
    const ParentCandidates all = ParentCandidatesFor(hood.state, 0, -1, -1);
    EXPECT_EQ(all.Entries[1].Name, SimLabel(hood.Sim(2), LabelForm::FirstName));
}

// Every sim that matched no sim description carries the same marker, whose low 16 bits read
// 65535. Such sims have no tie number: ties naming 65535 (an earlier save's, or a sim whose
// package is gone) belong to neither, and neither is anyone's relative or candidate parent.
TEST(FamilyTreeTest, SimsWithoutADescriptionHaveNoFamily) {
    Hood hood({{kNoDescription, "Nobody"}, {1, "Ada"}, {kNoDescription, "Noone"}, {2, "Bram"}});
    hood.state.FamilyTies = {
        {65535, FirstParent, 1}, {1, Child, 65535},  {65535, Sibling, 2},
        {2, Sibling, 65535},     {65535, Spouse, 2}, {2, Spouse, 65535},
    };
    EXPECT_EQ(SimNumber(hood.Sim(1)), std::optional<std::uint16_t>(1));
    for (std::size_t nobody : {0u, 2u}) {
        SCOPED_TRACE(nobody);
        EXPECT_EQ(SimNumber(hood.Sim(nobody)), std::nullopt);
        const FamilyView view = FamilyOf(hood.state, hood.Sim(nobody));
        EXPECT_EQ(view.FirstParent, -1);
        EXPECT_EQ(view.Spouse, -1);
        EXPECT_TRUE(view.Siblings.empty());
        EXPECT_TRUE(view.Memo.empty());
        // Nobody can be chosen as its parent either.
        EXPECT_TRUE(
            ParentCandidatesFor(hood.state, static_cast<int>(nobody), -1, -1).Entries.empty());
    }
    // The ordinary sims' ties to 65535 lead nowhere.
    for (std::size_t known : {1u, 3u}) {
        const FamilyView view = FamilyOf(hood.state, hood.Sim(known));
        EXPECT_TRUE(view.Children.empty());
        EXPECT_TRUE(view.Siblings.empty());
        EXPECT_EQ(view.Spouse, -1);
    }
    EXPECT_EQ(SimPosition(hood.state, 65535), -1);
    EXPECT_EQ(SimPositionByInstance(hood.state, kNoDescription), -1);
    // Neither is offered as a parent of an ordinary sim.
    const ParentCandidates candidates = ParentCandidatesFor(hood.state, 1, -1, -1);
    ASSERT_EQ(candidates.Entries.size(), 1u);
    EXPECT_EQ(candidates.Entries[0].Sim, &hood.Sim(3));

    // A sim whose description really is number 65535 is named by those ties.
    Hood real({{1, "Ada"}, {0x0000FFFF, "Max"}});
    real.state.FamilyTies = {{1, Child, 65535}};
    EXPECT_EQ(SimPosition(real.state, 65535), 1);
    EXPECT_EQ(FamilyOf(real.state, real.Sim(0)).Children.size(), 1u);
}

// One family of the demo spans three generations: navigating up and down reaches each of them.
TEST(FamilyTreeTest, DemoFamilyTreeNavigatesThroughThreeGenerations) {
    test::TempDir dir;
    const Neighborhood n001 = test::WriteDemoN001(dir.path());
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood hood;
    ASSERT_TRUE(LoadNeighborhood(n001, hood, LabelForm::FirstName, context).Loaded);

    auto instanceAt = [&](int position) {
        EXPECT_GE(position, 0);
        return position < 0 ? 0u
                            : hood.Sims[static_cast<std::size_t>(position)]->DescriptionInstance;
    };
    auto instances = [](const std::vector<Relative>& list) {
        std::vector<std::uint32_t> out;
        for (const Relative& r : list) out.push_back(r.Sim->DescriptionInstance);
        std::sort(out.begin(), out.end());
        return out;
    };

    // Grandchild 11: parents 9 and 10, sibling 12.
    const int grandchild = SimPositionByInstance(hood, 11);
    ASSERT_GE(grandchild, 0);
    FamilyView view = FamilyOf(hood, *hood.Sims[static_cast<std::size_t>(grandchild)]);
    EXPECT_EQ(instanceAt(view.FirstParent), 9u);
    EXPECT_EQ(instanceAt(view.SecondParent), 10u);
    EXPECT_EQ(instances(view.Siblings), std::vector<std::uint32_t>{12});

    // Up to the parent 9: married to 10, children 11 and 12, parents 6 and 7.
    view = FamilyOf(hood, *hood.Sims[static_cast<std::size_t>(view.FirstParent)]);
    EXPECT_EQ(instanceAt(view.Spouse), 10u);
    EXPECT_EQ(instances(view.Children), (std::vector<std::uint32_t>{11, 12}));
    EXPECT_EQ(instanceAt(view.FirstParent), 6u);
    EXPECT_EQ(instanceAt(view.SecondParent), 7u);

    // Up to the grandparent 6, and from its children list back down to 9.
    view = FamilyOf(hood, *hood.Sims[static_cast<std::size_t>(view.FirstParent)]);
    EXPECT_EQ(instanceAt(view.Spouse), 7u);
    ASSERT_EQ(view.Children.size(), 1u);
    EXPECT_EQ(instanceAt(SimPositionByInstance(hood, view.Children[0].Sim->DescriptionInstance)),
              9u);
}

}  // namespace
}  // namespace kinloom
