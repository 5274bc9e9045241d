// The Advanced switch across the window's pages, Move In and sim deletion, on the demo
// neighborhood in the real editor window.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <filesystem>

#include "SimPageFixtures.h"
#include "core/editing/AdvancedSwitch.h"
#include "core/editing/DescriptionIndex.h"
#include "core/editing/MoveIn.h"
#include "core/platform/FileOps.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_pages::SimPagesWindowTest;

// The trash is a folder of the test's own, so nothing reaches the desktop's.
class FolderTrash final : public FilesystemFileOps {
public:
    explicit FolderTrash(fs::path trash) : trash_(std::move(trash)) {}
    bool DeleteToTrash(const fs::path& item) override {
        if (fail) return false;
        fs::create_directories(trash_);
        std::error_code ec;
        fs::rename(item, trash_ / item.filename(), ec);
        return !ec;
    }
    bool fail = false;

private:
    fs::path trash_;
};

class AdvancedWindowTest : public SimPagesWindowTest {
protected:
    int WarningsShown() const {
        return static_cast<int>(
            std::count(messages.shown.begin(), messages.shown.end(), kAdvancedWarning));
    }
    int StoredCount() { return settings.ReadInteger(kAdvancedWarningCountSetting).value_or(0); }

    int SimIndex(const std::string& fileName) {
        const auto& sims = editor->State().Sims;
        for (std::size_t i = 0; i < sims.size(); ++i)
            if (sims[i]->FileName == fileName) return static_cast<int>(i);
        ADD_FAILURE() << fileName << " not listed";
        return -1;
    }
    const Household* HouseholdNumbered(std::uint32_t instance) {
        return editor->State().FindHousehold(instance);
    }
    // Opens the Households page on the household of this instance, as choosing it in the list does.
    void ShowHousehold(std::uint32_t instance) {
        child<QPushButton>("btnHouseHolds")->click();
        auto* households = child<QComboBox>("cbHouseHold");
        const auto& list = editor->State().HouseholdList;
        const auto found = std::find_if(list.begin(), list.end(), [instance](const Household* h) {
            return h->Instance == instance;
        });
        ASSERT_NE(found, list.end());
        const int position = static_cast<int>(found - list.begin());
        households->setCurrentIndex(position);
        emit households->activated(position);
    }
    static bool IsMember(const Household& h, const FourBytes& guid) {
        return std::find(h.Members.begin(), h.Members.end(), guid) != h.Members.end();
    }
};

// The warning answers the player turning the switch on, at most five times over every run; the
// switch restored on at start and reapplied at page openings never shows it, so no dialog opens
// under the player's typing.
TEST_F(AdvancedWindowTest, WarningShownOnlyWhenThePlayerTurnsTheSwitchOnAtMostFiveTimes) {
    settings.WriteInteger(kAdvancedSetting, 1);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(child<QCheckBox>("ckAdvanced")->isChecked());  // restored on, applied
    EXPECT_EQ(WarningsShown(), 0);
    child<QPushButton>("btnCharacters")->click();  // a page the switch is reapplied on
    child<QPushButton>("btnSkills")->click();
    child<QPushButton>("btnCharacters")->click();
    EXPECT_EQ(WarningsShown(), 0);
    EXPECT_EQ(StoredCount(), 0);

    auto* box = child<QCheckBox>("ckAdvanced");
    for (int i = 1; i <= 6; ++i) {
        box->click();  // off: no warning
        EXPECT_EQ(WarningsShown(), i - 1);
        box->click();  // on
        EXPECT_EQ(WarningsShown(), std::min(i, 5));
        EXPECT_EQ(StoredCount(), std::min(i, 5));
    }
    // A later run of the program never shows it again either.
    ASSERT_TRUE(Start());
    box = child<QCheckBox>("ckAdvanced");
    box->click();
    box->click();
    EXPECT_EQ(WarningsShown(), 5);
}

TEST_F(AdvancedWindowTest, ClickWithNothingLoadedOnlyTicksTheBox) {
    MainWindow bare(settings, messages, &pictures);
    auto* editorOnly =
        new NeighborhoodEditor(bare, settings, messages, pictures, [] { return false; });
    (void)editorOnly;
    auto* box = bare.findChild<QCheckBox*>("ckAdvanced");
    ASSERT_NE(box, nullptr);
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(settings.ReadInteger(kAdvancedWarningCountSetting).has_value());
}

TEST_F(AdvancedWindowTest, SwitchGovernsCharacterAspirationAndHouseholdControls) {
    settings.WriteInteger(kAdvancedWarningCountSetting, 5);  // no more warnings in the way
    ASSERT_TRUE(Start());
    auto* box = child<QCheckBox>("ckAdvanced");
    ASSERT_FALSE(box->isChecked());

    struct Case {
        const char* file;
        bool pet;
    };
    for (const Case& c :
         {Case{"N001_User00000.package", false}, Case{"N001_User00007.package", true}}) {
        SCOPED_TRACE(c.file);
        ChooseSim(SimIndex(c.file));
        ASSERT_EQ(editor->SelectedSim()->Species != 0, c.pet);
        child<QPushButton>("btnCharacters")->click();
        for (bool on : {true, false}) {
            SCOPED_TRACE(on ? "on" : "off");
            if (box->isChecked() != on) box->click();
            EXPECT_EQ(child<QLineEdit>("edtFitnessPreference")->isVisible(), on && !c.pet);
            EXPECT_EQ(child<QWidget>("pnlLocoBalance")->isVisible(), on && !c.pet);
            EXPECT_EQ(child<QWidget>("cbAges")->isEnabled(), on);
            EXPECT_EQ(child<QRadioButton>("rbMale")->isEnabled(), on);
            // Reopening the page keeps what the switch decided.
            child<QPushButton>("btnCharacters")->click();
            EXPECT_EQ(child<QWidget>("cbAges")->isEnabled(), on);
            EXPECT_EQ(child<QLineEdit>("edtFitnessPreference")->isVisible(), on && !c.pet);
        }
    }

    // With FreeTime installed (the demo has every pack) the aspiration lists answer to it.
    ChooseSim(SimIndex("N001_User00000.package"));
    child<QPushButton>("btnAspiration")->click();
    EXPECT_FALSE(child<QWidget>("cbAspiration1")->isEnabled());
    EXPECT_FALSE(child<QLabel>("lblFTAspireWarning")->isVisible());
    box->click();
    EXPECT_TRUE(child<QWidget>("cbAspiration1")->isEnabled());
    EXPECT_TRUE(child<QWidget>("cbAspiration2")->isEnabled());
    EXPECT_TRUE(child<QLabel>("lblFTAspireWarning")->isVisible());
    EXPECT_TRUE(child<QLabel>("lblFTAspireWarning2")->isVisible());

    child<QPushButton>("btnHouseHolds")->click();
    EXPECT_TRUE(child<QPushButton>("btnMoveIn")->isVisible());
    box->click();
    EXPECT_FALSE(child<QPushButton>("btnMoveIn")->isVisible());
    EXPECT_FALSE(child<QWidget>("cbAspiration1")->isEnabled());
    // The switch never writes into a sim.
    EXPECT_FALSE(editor->State().AnythingModified());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
}

TEST_F(AdvancedWindowTest, MoveInFromTheHouseholdsPageSurvivesSaveAndReload) {
    settings.WriteInteger(kAdvancedSetting, 1);
    settings.WriteInteger(kAdvancedWarningCountSetting, 5);
    ASSERT_TRUE(Start());
    const std::string file = "N001_User00000.package";  // lives in household 1
    ChooseSim(SimIndex(file));
    const FourBytes guid = editor->SelectedSim()->GUID;
    child<QPushButton>("btnHouseHolds")->click();

    auto* households = child<QComboBox>("cbHouseHold");
    const auto& list = editor->State().HouseholdList;
    const auto target =
        std::find_if(list.begin(), list.end(), [](const Household* h) { return h->Instance == 3; });
    ASSERT_NE(target, list.end());
    const int position = static_cast<int>(target - list.begin());
    households->setCurrentIndex(position);
    emit households->activated(position);
    auto* moveIn = child<QPushButton>("btnMoveIn");
    ASSERT_TRUE(moveIn->isVisible());
    ASSERT_TRUE(moveIn->isEnabled());
    moveIn->click();

    EXPECT_TRUE(HouseholdNumbered(1)->Modified);
    EXPECT_TRUE(HouseholdNumbered(3)->Modified);
    EXPECT_FALSE(HouseholdNumbered(2)->Modified);
    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    // Now a member of the household shown: no second Move In.
    EXPECT_EQ(households->currentIndex(), position);
    EXPECT_FALSE(moveIn->isEnabled());

    SaveAndReload();
    EXPECT_FALSE(IsMember(*HouseholdNumbered(1), guid));
    EXPECT_TRUE(IsMember(*HouseholdNumbered(3), guid));
    EXPECT_EQ(HouseholdNumbered(3)->Members.back(), guid);
    ASSERT_NE(FindSim(file), nullptr);
    EXPECT_EQ(FindSim(file)->FamilyNumber, 3);
}

// A sim whose record has no place for its household number (no description in the neighborhood
// package) is not offered Move In: it would be listed in one household while naming another.
TEST_F(AdvancedWindowTest, MoveInIsNotOfferedToASimWithoutADescription) {
    settings.WriteInteger(kAdvancedSetting, 1);
    settings.WriteInteger(kAdvancedWarningCountSetting, 5);
    ASSERT_TRUE(Start());
    ChooseSim(SimIndex("N001_User00000.package"));                // lives in household 1
    editor->SelectedSim()->DescriptionInstance = kNoDescription;  // as a sim loaded without one
    ShowHousehold(3);
    auto* moveIn = child<QPushButton>("btnMoveIn");
    ASSERT_TRUE(moveIn->isVisible());
    EXPECT_FALSE(moveIn->isEnabled());
    EXPECT_TRUE(moveIn->toolTip().contains("no place for its household"))
        << moveIn->toolTip().toStdString();
}

// Move In is one step of the history: undone, the sim is back in its household and both lists
// as loaded; redone, moved again.
TEST_F(AdvancedWindowTest, MoveInIsUndoneAndRedoneWhole) {
    settings.WriteInteger(kAdvancedSetting, 1);
    settings.WriteInteger(kAdvancedWarningCountSetting, 5);
    ASSERT_TRUE(Start());
    ChooseSim(SimIndex("N001_User00000.package"));  // lives in household 1
    Character* sim = editor->SelectedSim();
    const Character before = *sim;
    const Household from = *HouseholdNumbered(1), to = *HouseholdNumbered(3);
    ShowHousehold(3);
    QTest::mouseClick(child<QPushButton>("btnMoveIn"), Qt::LeftButton);
    ASSERT_EQ(sim->FamilyNumber, 3);
    EXPECT_TRUE(child<QPushButton>("btnUndo")->toolTip().startsWith("Undo Move In"))
        << child<QPushButton>("btnUndo")->toolTip().toStdString();
    const Household movedFrom = *HouseholdNumbered(1), movedTo = *HouseholdNumbered(3);

    test_window::PressKeys(*window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(*sim, before);
    EXPECT_EQ(*HouseholdNumbered(1), from);
    EXPECT_EQ(*HouseholdNumbered(3), to);
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    test_window::PressKeys(*window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(sim->FamilyNumber, 3);
    EXPECT_EQ(*HouseholdNumbered(1), movedFrom);
    EXPECT_EQ(*HouseholdNumbered(3), movedTo);
}

TEST_F(AdvancedWindowTest, DeleteAsksTrashesAndSelectsTheNeighbour) {
    FolderTrash trash(temp / "trash");
    files = &trash;
    ASSERT_TRUE(Start());
    auto* list = child<QComboBox>("cbUserName");
    auto* del = child<QPushButton>("btnDelSim");
    EXPECT_EQ(del->toolTip(), kDeleteSimToolTip);
    const int count = list->count();
    ASSERT_GT(count, 3);

    // No: nothing happens.
    ChooseSim(count - 1);
    del->click();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked.front(), DeleteSimQuestion(*editor->SelectedSim()));
    EXPECT_EQ(list->count(), count);

    // A failing trash keeps the package and the entry.
    trash.fail = true;
    messages.script({true});
    del->click();
    EXPECT_EQ(list->count(), count);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back(), kDeleteSimFailed);
    trash.fail = false;

    // The last sim: the new last one is selected.
    Character* last = editor->SelectedSim();
    const std::string file = last->FileName;
    const FourBytes guid = last->GUID;
    const std::uint32_t household = static_cast<std::uint32_t>(last->FamilyNumber);
    const fs::path characters = editor->State().CharactersFolder;
    messages.script({true});
    del->click();
    EXPECT_EQ(list->count(), count - 1);
    EXPECT_EQ(list->currentIndex(), count - 2);
    EXPECT_NE(editor->SelectedSim(), nullptr);
    EXPECT_FALSE(fs::exists(characters / file));
    EXPECT_TRUE(fs::exists(temp / "trash" / file));
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());

    // A middle sim: the one now at its place is selected.
    ChooseSim(1);
    const Character* following = editor->State().Sims[2];
    messages.script({true});
    del->click();
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(editor->SelectedSim(), following);

    // The neighborhood keeps the deleted sim's membership; the sim stays gone after reloading.
    ASSERT_TRUE(Start());
    EXPECT_EQ(child<QComboBox>("cbUserName")->count(), count - 2);
    EXPECT_EQ(FindSim(file), nullptr);
    ASSERT_NE(household, 0u);
    ASSERT_NE(HouseholdNumbered(household), nullptr);
    EXPECT_TRUE(IsMember(*HouseholdNumbered(household), guid));

    // Down to the only sim, and past it: the list ends empty with nothing selected.
    list = child<QComboBox>("cbUserName");
    del = child<QPushButton>("btnDelSim");
    while (list->count() > 0) {
        const int before = list->count();
        messages.script({true});
        del->click();
        ASSERT_EQ(list->count(), before - 1);
    }
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(editor->SelectedSim(), nullptr);
    const std::size_t questions = messages.asked.size();
    del->click();  // nothing left to delete: not even a question
    EXPECT_EQ(messages.asked.size(), questions);
}

}  // namespace
}  // namespace kinloom::gui
