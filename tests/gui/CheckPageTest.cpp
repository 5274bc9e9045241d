// The Checkup page on a hurt neighborhood: findings grouped by kind with counts, a finding leading
// to its sim, the mend asked about first (No keeps everything) and done after a backup, and the
// check offered after Delete.

#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/health/Mending.h"
#include "core/platform/FileIO.h"
#include "gui/maintenance/CheckPage.h"

namespace kinloom::gui {
namespace {

using test_window::WindowTest;
namespace fs = std::filesystem;

class CheckPageTest : public WindowTest {
protected:
    fs::path Package() {
        return DemoFolder() / "Neighborhoods" / "N001" / "N001_Neighborhood.package";
    }

    // A family tie of sim 6 naming sim 0x999, which has no description.
    void TieToNobody() {
        test::FakeMessages quiet;
        EditingContext context{quiet, 1, {}, {}};
        Neighborhood n001;
        n001.FolderName = "N001";
        n001.PackagePath = Package();
        LoadedNeighborhood state;
        ASSERT_TRUE(LoadNeighborhood(n001, state, LabelForm::FirstName, context).Loaded);
        state.FamilyTies.push_back({6, 4, 0x999});
        state.FamilyTiesModified = true;
        ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    }

    QStringList Groups() {
        QStringList groups;
        auto* tree = child<QTreeWidget>("tvFindings");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            groups << tree->topLevelItem(i)->text(0);
        return groups;
    }
};

TEST_F(CheckPageTest, FindingsLeadToTheirSimAndTheMendAsksFirst) {
    TieToNobody();
    ASSERT_TRUE(Start());
    child<QPushButton>("btnCheck")->click();
    EXPECT_EQ(window->CurrentNavButton(), "btnCheck");
    EXPECT_EQ(Groups(), QStringList({"Family tie to a sim without a description (1)"}));
    EXPECT_EQ(child<QLabel>("lblCheckSummary")->text(), "1 problem, 0 warnings, 0 notes");
    auto* mend = child<QPushButton>("btnMendSafe");
    EXPECT_TRUE(mend->isEnabled());

    // Enter on the finding selects the sim it is about.
    auto* tree = child<QTreeWidget>("tvFindings");
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    // The chosen finding's explanation is written out whole below the list.
    const QTreeWidgetItem* finding = tree->currentItem();
    EXPECT_EQ(child<QLabel>("lblFindingDetail")->text(),
              finding->text(1) + ": " + finding->text(2));
    EXPECT_TRUE(child<QLabel>("lblFindingDetail")->wordWrap());
    QTest::keyClick(tree, Qt::Key_Return);
    ASSERT_NE(editor->SelectedSim(), nullptr);
    EXPECT_EQ(editor->SelectedSim()->DescriptionInstance, 6u);

    // No: nothing is written.
    const Bytes before = ReadWholeFile(Package());
    window->OpenPage("btnCheck");
    messages.script({false});
    mend->click();
    ASSERT_FALSE(messages.asked.empty());
    EXPECT_NE(messages.asked.back().find("Drop the family tie: sim 6 has Child 2457"),
              std::string::npos);
    EXPECT_EQ(messages.defaults.back(), DefaultAnswer::No);
    EXPECT_EQ(ReadWholeFile(Package()), before);

    // Yes: a backup, the mend, the neighborhood loaded again and checked clean.
    const auto backups = [this] {
        return std::distance(fs::directory_iterator(Archive()), fs::directory_iterator());
    };
    const auto backupsBefore = backups();
    messages.script({true});
    mend->click();
    EXPECT_EQ(backups(), backupsBefore + 1);
    EXPECT_NE(ReadWholeFile(Package()), before);
    EXPECT_EQ(window->CurrentNavButton(), "btnCheck");
    ASSERT_NE(editor->SelectedSim(), nullptr);
    EXPECT_EQ(editor->SelectedSim()->DescriptionInstance, 6u) << "the same sim stays selected";
    EXPECT_EQ(Groups(), QStringList());
    EXPECT_EQ(child<QLabel>("lblCheckSummary")->text(),
              "Nothing found: the neighborhood is healthy.");
    EXPECT_FALSE(mend->isEnabled());
}

TEST_F(CheckPageTest, UnsavedEditsAreNotMendedAlong) {
    TieToNobody();
    ASSERT_TRUE(Start());
    editor->SelectedSim()->Cooking = static_cast<std::int16_t>(editor->SelectedSim()->Cooking + 1);
    editor->SelectedSim()->Modified = true;
    editor->ShowSaveButton();
    ASSERT_TRUE(editor->State().AnythingModified());
    window->OpenPage("btnCheck");
    const Bytes before = ReadWholeFile(Package());
    child<QPushButton>("btnMendSafe")->click();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back(), kMendNeedsSavedText);
    EXPECT_EQ(ReadWholeFile(Package()), before);
}

TEST_F(CheckPageTest, TheCheckIsOfferedAfterDelete) {
    ASSERT_TRUE(Start());
    messages.script({true, true});  // delete the sim; run the check
    child<QPushButton>("btnDelSim")->click();
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[1], kCheckAfterDeleteQuestion);
    EXPECT_EQ(messages.defaults[1], DefaultAnswer::No);
    EXPECT_EQ(window->CurrentNavButton(), "btnCheck");
    // The deleted sim's description stays behind: a warning, nothing to mend.
    EXPECT_EQ(Groups(), QStringList({"Description without a character package (1)"}));
    EXPECT_FALSE(child<QPushButton>("btnMendSafe")->isEnabled());
}

}  // namespace
}  // namespace kinloom::gui
