// Changing and removing a sim's parents: the parent and sibling ties rebuilt from the parents
// shown, spouse ties left alone; and one parent and gene change carried through save and reload.
#include <gtest/gtest.h>

#include "BareSims.h"
#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/FamilyTree.h"
#include "core/editing/GeneMods.h"
#include "core/editing/GeneTables.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/ParentTies.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {

using namespace tiekinds;
using Ties = std::vector<FamilyTie>;

// A neighborhood of bare sims of one household, listed in the order given; sim numbers are their
// instances.
struct Hood {
    LoadedNeighborhood state;
    explicit Hood(std::initializer_list<std::pair<std::uint32_t, const char*>> sims) {
        Character housed;
        housed.FamilyNumber = 1;
        test::AddBareSims(state, sims, housed);
    }
    int At(std::uint32_t instance) const { return SimPositionByInstance(state, instance); }
};

// S = 10 with first parent P = 20 and second parent Q = 30; Q also has C1 = 41 and C2 = 42, P
// has D = 60 by someone else; S is married to X = 50.
Ties TwoParentFamily() {
    return {
        {10, FirstParent, 20}, {10, SecondParent, 30}, {10, Spouse, 50}, {10, Sibling, 41},
        {10, Sibling, 42},     {10, Sibling, 60},      {20, Child, 10},  {20, Child, 60},
        {30, Child, 41},       {30, Child, 42},        {30, Child, 10},  {41, Sibling, 10},
        {42, Sibling, 10},     {60, Sibling, 10},      {50, Spouse, 10}, {60, FirstParent, 20},
    };
}

TEST(ParentTiesTest, RemovingTheFirstParentKeepsTheSecondParentsChildrenAsSiblings) {
    Hood hood({{10, "S"}, {20, "P"}, {30, "Q"}, {41, "C1"}, {42, "C2"}, {50, "X"}, {60, "D"}});
    hood.state.FamilyTies = TwoParentFamily();
    ParentPositions shown{hood.At(20), hood.At(30)};

    ASSERT_TRUE(RemoveParent(hood.state, hood.At(10), ParentRole::First, shown));

    EXPECT_EQ(shown.First, -1);
    EXPECT_EQ(shown.Second, hood.At(30));
    const Ties expected = {// untouched: the marriage, ties not naming S
                           {10, Spouse, 50},
                           {20, Child, 60},
                           {30, Child, 41},
                           {30, Child, 42},
                           {50, Spouse, 10},
                           {60, FirstParent, 20},
                           // rebuilt from Q, its children walked from the last tie up
                           {10, Sibling, 42},
                           {42, Sibling, 10},
                           {10, Sibling, 41},
                           {41, Sibling, 10},
                           {10, SecondParent, 30},
                           {30, Child, 10}};
    EXPECT_EQ(hood.state.FamilyTies, expected);
}

TEST(ParentTiesTest, AChildOfBothParentsGetsOneSiblingPair) {
    // C = 41 is a child of both P = 20 and Q = 30; E = 43 only of Q.
    Ties ties = {{20, Child, 41}, {30, Child, 41}, {30, Child, 43}};
    RebuildParentTies(ties, 10, 20, 30);
    const Ties expected = {{20, Child, 41},        {30, Child, 41},   {30, Child, 43},
                           {10, Sibling, 41},      {41, Sibling, 10}, {10, FirstParent, 20},
                           {20, Child, 10},        {10, Sibling, 43}, {43, Sibling, 10},
                           {10, SecondParent, 30}, {30, Child, 10}};
    EXPECT_EQ(ties, expected);
}

TEST(ParentTiesTest, SpouseTiesStayAndASimIsNeverItsOwnSibling) {
    // Damaged data: S's sibling R also holds a spouse tie to S, and P holds a child tie to S
    // without S naming P as a parent.
    Ties ties = {{10, Sibling, 70}, {70, Sibling, 10}, {70, Spouse, 10},
                 {10, Spouse, 70},  {20, Child, 10},   {20, Child, 61}};
    RebuildParentTies(ties, 10, 20, std::nullopt);
    const Ties expected = {{70, Spouse, 10},      {10, Spouse, 70},  {20, Child, 10},
                           {20, Child, 61},       {10, Sibling, 61}, {61, Sibling, 10},
                           {10, FirstParent, 20}, {20, Child, 10}};
    EXPECT_EQ(ties, expected);
}

TEST(ParentTiesTest, ChoicesThatChangeNothing) {
    // Two more sims share the 16-bit numbers of S and of Q, by which ties name sims.
    Hood hood({{10, "S"},
               {20, "P"},
               {30, "Q"},
               {41, "C1"},
               {42, "C2"},
               {50, "X"},
               {60, "D"},
               {0x0001000A, "S-number"},
               {0x0001001E, "Q-number"}});
    hood.state.FamilyTies = TwoParentFamily();
    auto sim = [&](std::uint32_t instance) {
        return hood.state.Sims[static_cast<std::size_t>(hood.At(instance))];
    };
    // A copy of P's record, as another list's entry would carry it: found by its instance.
    Character samePerson = *sim(20);
    const struct {
        const char* name;
        const Character* chosen;
    } cases[] = {
        {"no entry chosen", nullptr},
        {"the parent already shown", sim(20)},
        {"the parent already shown, through another record", &samePerson},
        {"the sim itself", sim(10)},
        {"the other parent", sim(30)},
        {"a sim the ties would take for the sim itself", sim(0x0001000A)},
        {"a sim the ties would take for the other parent", sim(0x0001001E)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ParentPositions shown{hood.At(20), hood.At(30)};
        EXPECT_FALSE(ChangeParent(hood.state, hood.At(10), ParentRole::First, c.chosen, shown));
        EXPECT_EQ(shown.First, hood.At(20));
        EXPECT_EQ(shown.Second, hood.At(30));
        EXPECT_EQ(hood.state.FamilyTies, TwoParentFamily());
        EXPECT_FALSE(hood.state.AnythingModified());
    }
    // Removing a parent that is not shown changes nothing either.
    ParentPositions none{-1, hood.At(30)};
    EXPECT_FALSE(RemoveParent(hood.state, hood.At(10), ParentRole::First, none));
    EXPECT_EQ(hood.state.FamilyTies, TwoParentFamily());
    EXPECT_FALSE(hood.state.AnythingModified());
}

// Ties name sims by number, and a sim without a description has none: it can neither be chosen
// as a parent nor have its parents changed, and no tie naming it (as 65535) is ever made.
TEST(ParentTiesTest, SimsWithoutADescriptionTakeNoPartInParentChanges) {
    Hood hood(
        {{10, "S"}, {20, "P"}, {kNoDescription, "Nobody"}, {kNoDescription, "Noone"}, {30, "Q"}});
    const int s = 0, p = 1, nobody = 2, noone = 3, q = 4;
    const Ties start = {{10, FirstParent, 20}, {20, Child, 10}};
    const struct {
        const char* name;
        int selected;
        ParentRole role;
        int chosen;  // -1: remove the parent shown in role
        ParentPositions shown;
    } cases[] = {
        {"one chosen as first parent", s, ParentRole::First, nobody, {p, -1}},
        {"the other chosen as second parent", s, ParentRole::Second, noone, {p, -1}},
        {"a parent chosen for one", nobody, ParentRole::First, s, {-1, -1}},
        {"a parent chosen for the other", noone, ParentRole::Second, q, {-1, -1}},
        {"the parent of one removed", nobody, ParentRole::First, -1, {p, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hood.state.FamilyTies = start;
        ParentPositions shown = c.shown;
        const bool changed =
            c.chosen < 0 ? RemoveParent(hood.state, c.selected, c.role, shown)
                         : ChangeParent(hood.state, c.selected, c.role,
                                        hood.state.Sims[static_cast<std::size_t>(c.chosen)], shown);
        EXPECT_FALSE(changed);
        EXPECT_EQ(shown.First, c.shown.First);
        EXPECT_EQ(shown.Second, c.shown.Second);
        EXPECT_EQ(hood.state.FamilyTies, start);
        EXPECT_FALSE(hood.state.AnythingModified());
    }
    // Nor do they own the genes of a genetics entry that happens to carry the marker's instance.
    hood.state.DNAList.resize(1);
    hood.state.DNAList[0].Instance = kNoDescription;
    EXPECT_EQ(hood.state.FindDNA(hood.state.Sims[nobody]->DescriptionInstance), nullptr);

    // The ordinary sims still change parents, and nothing names 65535.
    hood.state.FamilyTies = start;
    ParentPositions shown{p, -1};
    ASSERT_TRUE(ChangeParent(hood.state, s, ParentRole::Second,
                             hood.state.Sims[static_cast<std::size_t>(q)], shown));
    EXPECT_EQ(
        hood.state.FamilyTies,
        (Ties{{10, FirstParent, 20}, {20, Child, 10}, {10, SecondParent, 30}, {30, Child, 10}}));
}

// A parent whose sim is not in the sim list (its package was skipped) cannot be shown, but it is
// still the sim's parent: changing or removing the other parent keeps it.
TEST(ParentTiesTest, AParentOutsideTheSimListIsKept) {
    const Ties start = {{10, FirstParent, 20}, {10, SecondParent, 99}, {20, Child, 10},
                        {99, Child, 10},       {99, Child, 43},        {10, Sibling, 43},
                        {43, Sibling, 10}};
    const struct {
        const char* name;
        bool remove;  // else the first parent becomes R = 80
        Ties expected;
    } cases[] = {
        {"first parent changed",
         false,
         {{99, Child, 43},
          {10, FirstParent, 80},
          {80, Child, 10},
          {10, Sibling, 43},
          {43, Sibling, 10},
          {10, SecondParent, 99},
          {99, Child, 10}}},
        {"first parent removed",
         true,
         {{99, Child, 43},
          {10, Sibling, 43},
          {43, Sibling, 10},
          {10, SecondParent, 99},
          {99, Child, 10}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Hood hood({{10, "S"}, {20, "P"}, {43, "C"}, {80, "R"}});
        hood.state.FamilyTies = start;
        const FamilyView view =
            FamilyOf(hood.state, *hood.state.Sims[static_cast<std::size_t>(hood.At(10))]);
        ParentPositions shown{view.FirstParent, view.SecondParent};
        ASSERT_EQ(shown.Second, -1);
        const bool changed =
            c.remove ? RemoveParent(hood.state, hood.At(10), ParentRole::First, shown)
                     : ChangeParent(hood.state, hood.At(10), ParentRole::First,
                                    hood.state.Sims[static_cast<std::size_t>(hood.At(80))], shown);
        ASSERT_TRUE(changed);
        EXPECT_EQ(hood.state.FamilyTies, c.expected);
        EXPECT_TRUE(hood.state.FamilyTiesModified);
        EXPECT_TRUE(hood.state.AnythingModified());
    }
}

TEST(ParentTiesTest, ChangingTheSecondParentMovesTheSimToTheNewFamily) {
    Hood hood({{10, "S"},
               {20, "P"},
               {30, "Q"},
               {41, "C1"},
               {42, "C2"},
               {50, "X"},
               {60, "D"},
               {80, "R"},
               {81, "Rkid"}});
    hood.state.FamilyTies = TwoParentFamily();
    hood.state.FamilyTies.push_back({80, Child, 81});
    hood.state.FamilyTies.push_back({81, SecondParent, 80});
    ParentPositions shown{hood.At(20), hood.At(30)};
    const Character* r = hood.state.Sims[static_cast<std::size_t>(hood.At(80))];

    ASSERT_TRUE(ChangeParent(hood.state, hood.At(10), ParentRole::Second, r, shown));

    EXPECT_EQ(shown.First, hood.At(20));
    EXPECT_EQ(shown.Second, hood.At(80));
    const FamilyView view =
        FamilyOf(hood.state, *hood.state.Sims[static_cast<std::size_t>(hood.At(10))]);
    EXPECT_EQ(view.FirstParent, hood.At(20));
    EXPECT_EQ(view.SecondParent, hood.At(80));
    EXPECT_EQ(view.Spouse, hood.At(50));
    std::vector<std::u16string> siblings;
    for (const Relative& sibling : view.Siblings) siblings.push_back(sibling.Name);
    EXPECT_EQ(siblings, (std::vector<std::u16string>{u"D ", u"Rkid "}));
    // Q no longer counts S among its children, nor do C1 and C2 among their siblings.
    for (const FamilyTie& tie : hood.state.FamilyTies) {
        SCOPED_TRACE(std::to_string(tie.Owner) + ":" + std::to_string(tie.Kind) + ":" +
                     std::to_string(tie.Relative));
        EXPECT_FALSE(tie.Relative == 10 && (tie.Owner == 30 || tie.Owner == 41 || tie.Owner == 42));
    }
}

class FailingWriter : public AtomicFileWriter {
protected:
    std::size_t WriteChunk(std::FILE*, ByteView) override { return 0; }
};

// One parent change and one gene change on the demo neighborhood, saved and loaded again.
TEST(ParentTiesTest, ParentAndGeneChangesSurviveSaveAndReload) {
    test::TempDir dir;
    const Neighborhood n001 = test::WriteDemoN001(dir.path());
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood before;
    ASSERT_TRUE(LoadNeighborhood(n001, before, LabelForm::FirstName, context).Loaded);
    const std::vector<GeneMod> genes = ScanGeneMods(dir.path(), messages);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front();

    // Sim 13's father (15) is replaced by sim 6; sim 13 takes a custom skin tone.
    const int sim = SimPositionByInstance(before, 13);
    ASSERT_GE(sim, 0);
    Character& thirteen = *before.Sims[static_cast<std::size_t>(sim)];
    FamilyView view = FamilyOf(before, thirteen);
    ASSERT_EQ(view.SecondParent, SimPositionByInstance(before, 15));
    ParentPositions shown{view.FirstParent, view.SecondParent};
    const Character* six = before.Sims[static_cast<std::size_t>(SimPositionByInstance(before, 6))];
    ASSERT_TRUE(ChangeParent(before, sim, ParentRole::Second, six, shown));
    EXPECT_TRUE(before.FamilyTiesModified);

    const GeneMod* skin = nullptr;
    for (const GeneMod& gene : genes)
        if (gene.TypeId == "4C158081") skin = &gene;
    ASSERT_NE(skin, nullptr);
    DNA* dna = before.FindDNA(thirteen.DescriptionInstance);
    ASSERT_NE(dna, nullptr);
    ChangeGene(GeneList::SkinTone, skin->ListIndex, thirteen, dna, genes);
    // A save that cannot write keeps every change marked, the new ties included.
    FailingWriter failing;
    ASSERT_FALSE(SaveNeighborhood(before, context, &failing).Saved);
    EXPECT_TRUE(before.FamilyTiesModified);
    messages.shown.clear();
    ASSERT_TRUE(SaveNeighborhood(before, context).Saved);
    EXPECT_FALSE(before.AnythingModified());

    LoadedNeighborhood after;
    ASSERT_TRUE(LoadNeighborhood(n001, after, LabelForm::FirstName, context).Loaded);
    // Saving groups the ties by owner.
    std::vector<FamilyTie> regrouped;
    ReadFamilyTies(WriteFamilyTies(before.FamilyTies), regrouped);
    EXPECT_EQ(after.FamilyTies, regrouped);
    const int reloaded = SimPositionByInstance(after, 13);
    ASSERT_GE(reloaded, 0);
    const Character& again = *after.Sims[static_cast<std::size_t>(reloaded)];
    view = FamilyOf(after, again);
    EXPECT_EQ(view.SecondParent, SimPositionByInstance(after, 6));
    std::vector<std::uint32_t> siblings;
    for (const Relative& sibling : view.Siblings)
        siblings.push_back(sibling.Sim->DescriptionInstance);
    EXPECT_EQ(siblings, std::vector<std::uint32_t>{9}) << "six's child";
    const DNA* saved = after.FindDNA(again.DescriptionInstance);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->SkinTone, skin->Family);
    EXPECT_EQ(GenePositions(again, saved, genes)[static_cast<std::size_t>(GeneList::SkinTone)],
              skin->ListIndex);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

// The demo neighborhood with the descriptions of Juniper (11) and Sol (12) gone: their sims load
// without one. A parent change of an ordinary sim neither offers them nor names them, and the
// saved ties name no sim 65535.
TEST(ParentTiesTest, ASavedParentChangeNeverNamesASimWithoutADescription) {
    test::TempDir dir;
    const Neighborhood n001 = test::WriteDemoN001(dir.path());
    test::FakeMessages messages;
    {
        const PackageImage plain =
            DecompressPackageImage(ReadWholeFile(n001.PackagePath), messages);
        const PackageImage without =
            RewritePackageImage(plain.Data, [](const PackageIndexEntry& e, std::size_t) {
                return e.Type == types::SimDescription && (e.Instance == 11 || e.Instance == 12)
                           ? EntryChoice::Drop()
                           : EntryChoice::Copy();
            });
        ReplaceFileAtomically(n001.PackagePath, without.Data);
    }
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood hood;
    ASSERT_TRUE(LoadNeighborhood(n001, hood, LabelForm::FirstName, context).Loaded);
    std::vector<const Character*> strays;
    for (const Character* sim : hood.Sims)
        if (!HasTieNumber(*sim)) strays.push_back(sim);
    ASSERT_EQ(strays.size(), 2u);
    for (const Character* stray : strays) EXPECT_TRUE(FamilyOf(hood, *stray).Memo.empty());

    const int sim = SimPositionByInstance(hood, 13);
    ASSERT_GE(sim, 0);
    const FamilyView view = FamilyOf(hood, *hood.Sims[static_cast<std::size_t>(sim)]);
    ParentPositions shown{view.FirstParent, view.SecondParent};
    for (const Relative& candidate :
         ParentCandidatesFor(hood, sim, shown.Second, shown.First).Entries)
        EXPECT_TRUE(HasTieNumber(*candidate.Sim)) << "a sim without a description is offered";
    for (const Character* stray : strays)
        EXPECT_FALSE(ChangeParent(hood, sim, ParentRole::Second, stray, shown));
    EXPECT_FALSE(hood.FamilyTiesModified);
    const Character* six = hood.Sims[static_cast<std::size_t>(SimPositionByInstance(hood, 6))];
    ASSERT_TRUE(ChangeParent(hood, sim, ParentRole::Second, six, shown));
    ASSERT_TRUE(SaveNeighborhood(hood, context).Saved);

    LoadedNeighborhood after;
    ASSERT_TRUE(LoadNeighborhood(n001, after, LabelForm::FirstName, context).Loaded);
    ASSERT_FALSE(after.FamilyTies.empty());
    for (const FamilyTie& tie : after.FamilyTies) {
        EXPECT_NE(tie.Owner, 65535);
        EXPECT_NE(tie.Relative, 65535);
    }
    const int reloaded = SimPositionByInstance(after, 13);
    ASSERT_GE(reloaded, 0);
    EXPECT_EQ(FamilyOf(after, *after.Sims[static_cast<std::size_t>(reloaded)]).SecondParent,
              SimPositionByInstance(after, 6));
}

// A package without a family-ties entry cannot keep a parent change: the save says so and writes
// nothing, rather than reporting success and dropping it.
TEST(ParentTiesTest, APackageWithoutTiesRefusesToSaveAParentChange) {
    test::TempDir dir;
    const Neighborhood n001 = test::WriteDemoN001(dir.path());
    test::FakeMessages messages;
    {
        const PackageImage plain =
            DecompressPackageImage(ReadWholeFile(n001.PackagePath), messages);
        const PackageImage without =
            RewritePackageImage(plain.Data, [](const PackageIndexEntry& e, std::size_t) {
                return e.Type == types::FamilyTies ? EntryChoice::Drop() : EntryChoice::Copy();
            });
        ReplaceFileAtomically(n001.PackagePath, without.Data);
    }
    const Bytes onDisk = ReadWholeFile(n001.PackagePath);
    EditingContext context = test::BlankPictureContext(messages);
    LoadedNeighborhood hood;
    ASSERT_TRUE(LoadNeighborhood(n001, hood, LabelForm::FirstName, context).Loaded);
    ASSERT_TRUE(hood.FamilyTies.empty());

    const int sim = SimPositionByInstance(hood, 13);
    ASSERT_GE(sim, 0);
    ParentPositions shown;
    const Character* six = hood.Sims[static_cast<std::size_t>(SimPositionByInstance(hood, 6))];
    ASSERT_TRUE(ChangeParent(hood, sim, ParentRole::First, six, shown));
    const SaveOutcome outcome = SaveNeighborhood(hood, context);
    EXPECT_FALSE(outcome.Saved);
    EXPECT_EQ(outcome.Failure, std::optional<std::string>(kNoFamilyTiesToSave));
    EXPECT_TRUE(hood.FamilyTiesModified);
    EXPECT_EQ(ReadWholeFile(n001.PackagePath), onDisk);
}

}  // namespace
}  // namespace kinloom
