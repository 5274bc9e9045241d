// Undo and redo of the loaded neighborhood's edits: each kind of record comes back whole, steps of
// one control merge, the unsaved mark follows the saved state, and a save after an undo writes
// the undone values.

#include <gtest/gtest.h>

#include <functional>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/editing/EditHistory.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"

namespace kinloom {
namespace {

class EditHistoryTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::FakeMessages messages;
    EditingContext context = test::BlankPictureContext(messages);
    Neighborhood n001 = test::WriteDemoN001(dir / "demo");
    LoadedNeighborhood state;
    EditHistory history;

    void SetUp() override { Load(); }
    void Load() {
        state = LoadedNeighborhood{};
        ASSERT_TRUE(LoadNeighborhood(n001, state, LabelForm::FirstName, context).Loaded);
        history.Reset(state);
    }
    Character& Sim(std::size_t i) { return *state.Characters[i]; }
};

// Every kind of record an edit changes: after Undo each is exactly as before, after Redo exactly
// as after, and the unsaved mark is off again once everything is undone.
TEST_F(EditHistoryTest, EachKindOfRecordComesBackWhole) {
    ASSERT_FALSE(state.Relationships.empty());
    ASSERT_FALSE(state.DNAList.empty());
    struct Edit {
        const char* name;
        std::function<void(LoadedNeighborhood&)> apply;
    };
    const Edit edits[] = {
        {"Cooking",
         [](LoadedNeighborhood& s) {
             s.Characters[0]->Cooking = 777;
             s.Characters[0]->Modified = true;
         }},
        {"Move In",
         [](LoadedNeighborhood& s) {
             s.Households[0]->Members.push_back(s.Characters[1]->GUID);
             s.Households[0]->Modified = true;
             s.Characters[1]->FamilyNumber = static_cast<std::int16_t>(s.Households[0]->Instance);
             s.Characters[1]->Modified = true;
         }},
        {"Parent",
         [](LoadedNeighborhood& s) {
             s.FamilyTies.push_back({1, 0, 2});
             s.FamilyTiesModified = true;
         }},
        {"Eye Color",
         [](LoadedNeighborhood& s) {
             s.DNAList[0].DomEyeColor = "changed";
             s.DNAList[0].Modified = true;
         }},
        {"Daily",
         [](LoadedNeighborhood& s) {
             s.Relationships[0].ShortTerm = -42;
             s.Relationships[0].Modified = 1;
         }},
        {"Neighborhood Name",
         [](LoadedNeighborhood& s) {
             s.Selected.NGBDName = "Renamed";
             s.Selected.Modified = 1;
         }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        const Character sim0 = Sim(0), sim1 = Sim(1);
        const Household home = *state.Households[0];
        const auto ties = state.FamilyTies;
        const DNA genes = state.DNAList[0];
        const RelationshipRecord relationship = state.Relationships[0];
        const Neighborhood selected = state.Selected;

        edit.apply(state);
        ASSERT_TRUE(history.Note(state, edit.name, ""));
        // As the step left them (a mark on a value that did not change is taken off).
        const Character after0 = Sim(0), after1 = Sim(1);
        const Household afterHome = *state.Households[0];
        EXPECT_EQ(history.UndoName(), edit.name);

        ASSERT_FALSE(history.Undo(state).size() > 2);
        EXPECT_EQ(Sim(0), sim0);
        EXPECT_EQ(Sim(1), sim1);
        EXPECT_EQ(*state.Households[0], home);
        EXPECT_EQ(state.FamilyTies, ties);
        EXPECT_EQ(state.DNAList[0], genes);
        EXPECT_EQ(state.Relationships[0], relationship);
        EXPECT_EQ(state.Selected.NGBDName, selected.NGBDName);
        EXPECT_FALSE(state.AnythingModified());
        EXPECT_EQ(history.RedoName(), edit.name);

        history.Redo(state);
        EXPECT_EQ(Sim(0), after0);
        EXPECT_EQ(Sim(1), after1);
        EXPECT_EQ(*state.Households[0], afterHome);
        EXPECT_TRUE(state.AnythingModified());
        history.Undo(state);  // each edit starts from the loaded neighborhood
    }
}

TEST_F(EditHistoryTest, ChangesOfOneControlMergeAndANewEditDropsTheRedo) {
    for (int value : {100, 200, 300}) {
        Sim(0).Cooking = static_cast<std::int16_t>(value);
        Sim(0).Modified = true;
        history.Note(state, "Cooking", "sldCooking");
    }
    EXPECT_EQ(history.Steps(), 1u);
    Sim(0).Logic = 1001;
    history.Note(state, "Logic", "sldLogic");
    Sim(1).Cooking = 9;  // the same control on another sim is another step
    history.Note(state, "Cooking", "sldCooking");
    EXPECT_EQ(history.Steps(), 3u);
    EXPECT_FALSE(history.Note(state, "Cooking", "sldCooking"));  // nothing changed

    history.Undo(state);
    history.Undo(state);
    EXPECT_EQ(Sim(0).Cooking, 300);
    EXPECT_NE(Sim(0).Logic, 1001);
    history.Undo(state);
    EXPECT_NE(Sim(0).Cooking, 300);
    history.Redo(state);
    EXPECT_EQ(Sim(0).Cooking, 300);  // the merged drag comes back whole
    Sim(0).Body = 3;
    history.Note(state, "Body", "sldBody");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Steps(), 2u);

    // Memory stays bounded: the oldest steps go.
    for (int i = 0; i < 510; ++i) {
        Sim(2).Cooking = static_cast<std::int16_t>(i);
        history.Note(state, "Cooking", "key" + std::to_string(i));
    }
    EXPECT_EQ(history.Steps(), EditHistory::kMostSteps);
}

TEST_F(EditHistoryTest, TheUnsavedMarkFollowsTheSavedStateAndASaveWritesUndoneValues) {
    const std::int16_t loaded = Sim(0).Cooking;
    Sim(0).Cooking = 500;
    Sim(0).Modified = true;
    history.Note(state, "Cooking", "sldCooking");
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    history.Saved(state);
    EXPECT_FALSE(state.AnythingModified());

    history.Undo(state);  // back before the save: unsaved again
    EXPECT_EQ(Sim(0).Cooking, loaded);
    EXPECT_TRUE(state.AnythingModified());
    history.Redo(state);  // the saved state: nothing unsaved
    EXPECT_FALSE(state.AnythingModified());

    // Typing a value back as it is on disk unmarks the sim.
    Sim(0).Cooking = 600;
    Sim(0).Modified = true;
    history.Note(state, "Cooking", "edtCooking");
    Sim(0).Cooking = 500;
    history.Note(state, "Cooking", "edtCooking");
    EXPECT_FALSE(state.AnythingModified());

    history.Undo(state);  // the typing: 500 as saved
    history.Undo(state);  // the first edit: as loaded
    EXPECT_EQ(Sim(0).Cooking, loaded);
    ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    Load();
    EXPECT_EQ(Sim(0).Cooking, loaded);
}

TEST_F(EditHistoryTest, RevertPutsTheSimsOwnRecordsBackAsOneStep) {
    const Character sim = Sim(0);
    Sim(0).FirstName = "Changed";
    Sim(0).Nice = 900;
    Sim(0).Modified = true;
    history.Note(state, "First Name", "edtFirstName");
    Sim(1).Cooking = 1;  // another sim's edit stays
    Sim(1).Modified = true;
    history.Note(state, "Cooking", "sldCooking");

    ASSERT_TRUE(history.RevertSim(state, Sim(0), "Revert"));
    EXPECT_EQ(Sim(0), sim);
    EXPECT_EQ(Sim(1).Cooking, 1);
    EXPECT_EQ(history.UndoName(), "Revert");
    EXPECT_FALSE(history.RevertSim(state, Sim(0), "Revert"));  // nothing left to revert
    history.Undo(state);
    EXPECT_EQ(Sim(0).FirstName, "Changed");
    EXPECT_TRUE(Sim(0).Modified);
}

}  // namespace
}  // namespace kinloom
