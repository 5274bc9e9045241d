// The editor window driven as a user drives it, on the demo neighborhoods: start-up with the
// picker, the Neighborhood and Households pages, the sim list, Save and reloading.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "WindowFixture.h"
#include "core/maintenance/Backups.h"
#include "core/packages/Utf8.h"
#include "core/platform/GameProcess.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/HouseholdsPage.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PictureEntryDelegate.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/SimPictureList.h"
#include "gui/shell/Startup.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_window::WindowTest;

// Types text as the keyboard does, characters beyond ASCII included.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

enum class PickerAnswer { Ok, OkWithNothingSelected, Cancel };

class EditorWindowTest : public WindowTest {
protected:
    // What the picker showed: its item texts, the preselected row and whether items had pictures.
    QStringList pickerItems;
    int pickerPreselected = -2;
    int pickerPictures = 0;

    // A new window on the same folder and settings, as the next run of the program.
    bool Start(PickerAnswer answer = PickerAnswer::Ok) {
        return WindowTest::Start([this, answer](NeighborhoodPickerDialog& picker) {
            auto* list = picker.findChild<QListWidget*>("lbNGBDs");
            pickerItems.clear();
            pickerPictures = 0;
            for (int i = 0; i < list->count(); ++i) {
                pickerItems << list->item(i)->text();
                if (!list->item(i)->data(Qt::UserRole + 1).value<QImage>().isNull())
                    ++pickerPictures;
            }
            pickerPreselected = list->selectedItems().isEmpty() ? -1 : list->currentRow();
            if (answer == PickerAnswer::OkWithNothingSelected) list->clearSelection();
            picker
                .findChild<QPushButton*>(answer == PickerAnswer::Cancel ? "btnCancel" : "btnOkay")
                ->click();
        });
    }

    std::vector<QString> ComboTexts(const char* name) {
        std::vector<QString> out;
        auto* combo = child<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i) out.push_back(combo->itemText(i));
        return out;
    }

    void ChooseSim(const Character* sim) {
        const auto& sims = editor->State().Sims;
        auto it = std::find(sims.begin(), sims.end(), sim);
        ASSERT_NE(it, sims.end());
        auto* combo = child<QComboBox>("cbUserName");
        combo->setCurrentIndex(static_cast<int>(it - sims.begin()));
        emit combo->activated(combo->currentIndex());
    }
};

TEST_F(EditorWindowTest, StartupShowsPickerThenLoadsTheChosenNeighborhood) {
    settings.WriteText("NGBD", "G001");
    ASSERT_TRUE(Start());
    // The picker lists every neighborhood with its picture and preselects the last one used.
    ASSERT_EQ(pickerItems.size(), 3);
    EXPECT_TRUE(pickerItems[0].startsWith("N001 : "));
    EXPECT_EQ(pickerPreselected, 1);
    EXPECT_EQ(pickerPictures, 3);

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowTitle().startsWith("Kinloom 1.6"));
    auto* cbNeighborhood = child<QComboBox>("cbNeighborhood");
    EXPECT_EQ(cbNeighborhood->currentIndex(), 1);
    EXPECT_TRUE(cbNeighborhood->currentText().startsWith("G001 : "));
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isVisible());
    EXPECT_FALSE(child<QPushButton>("btnNeighborhood")->isEnabled());
    EXPECT_GT(child<QComboBox>("cbUserName")->count(), 0);
    EXPECT_EQ(child<QLineEdit>("edtNGBDName")->text().toStdU16String(),
              DecodeUtf8(editor->State().Selected.NGBDName));
    EXPECT_TRUE(child<QLabel>("lblNGBDVersion")->text().startsWith("Version : "));
    EXPECT_FALSE(child<QLabel>("imgNGBD")->pixmap().isNull());
    EXPECT_FALSE(child<QLabel>("imgChar")->pixmap().isNull());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_TRUE(child<QWidget>("pnlTop")->isEnabled());
    EXPECT_EQ(child<QProgressBar>("pbLoading")->maximum(), 100);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();

    // Closing stores the neighborhood for the next start.
    cbNeighborhood->setCurrentIndex(2);
    emit cbNeighborhood->activated(2);
    EXPECT_TRUE(cbNeighborhood->currentText().startsWith("F001 : "));
    EXPECT_TRUE(window->close());
    EXPECT_EQ(settings.ReadText("NGBD"), "F001");
}

TEST_F(EditorWindowTest, PickerAnswers) {
    {
        SCOPED_TRACE("OK with nothing selected loads the first");
        settings.WriteText("NGBD", "F001");
        ASSERT_TRUE(Start(PickerAnswer::OkWithNothingSelected));
        EXPECT_EQ(child<QComboBox>("cbNeighborhood")->currentIndex(), 0);
        EXPECT_EQ(editor->State().Selected.FolderName, "N001");
    }
    {
        SCOPED_TRACE("Cancel ends the program");
        EXPECT_FALSE(Start(PickerAnswer::Cancel));
        EXPECT_FALSE(editor->Loaded());
    }
}

TEST(PickerTest, PreviousAndNextWrapAround) {
    std::vector<Neighborhood> hoods(3);
    hoods[0].FolderName = "N001";
    hoods[1].FolderName = "N002";
    hoods[2].FolderName = "G001";
    NeighborhoodPickerDialog picker(hoods, "", Qt::black, Qt::white);
    auto* list = picker.findChild<QListWidget*>("lbNGBDs");
    EXPECT_TRUE(list->selectedItems().isEmpty());
    picker.findChild<QPushButton*>("btnPrevious")->click();  // nothing selected: the last
    EXPECT_EQ(list->currentRow(), 2);
    picker.findChild<QPushButton*>("btnNext")->click();  // the last: the first
    EXPECT_EQ(list->currentRow(), 0);
    picker.findChild<QPushButton*>("btnPrevious")->click();  // the first: the last
    EXPECT_EQ(list->currentRow(), 2);
    picker.findChild<QPushButton*>("btnPrevious")->click();
    EXPECT_EQ(picker.ChosenIndex(), 1);
}

TEST_F(EditorWindowTest, MissingPicturesLibraryEndsStartup) {
    pictures = PicturesLibrary(QString::fromStdString((temp / "Images.rcc").string()));
    window = std::make_unique<MainWindow>(settings, messages, &pictures);
    NeighborhoodEditor ed(*window, settings, messages, pictures, [] { return false; });
    bool discovered = false;
    EXPECT_FALSE(RunStartup(*window, ed, pictures, messages, [&] {
        discovered = true;
        return StartupSource{};
    }));
    EXPECT_FALSE(discovered);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Bad DLL Load"});
}

TEST_F(EditorWindowTest, BackupReminderWhenNoBackupExists) {
    fs::remove_all(temp / "archive" / "N001 01-01-2020 000000");
    ASSERT_TRUE(Start());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], BackupNotFoundText(editor->State().Selected));
    child<QPushButton>("btnHouseHolds")->click();
    child<QPushButton>("btnNeighborhood")->click();
    EXPECT_EQ(messages.shown.size(), 1u);  // once per neighborhood and run, not each opening
}

TEST_F(EditorWindowTest, BackupTreeOpensAndClosesByClicks) {
    fs::create_directories(temp / "archive" / "G001 02-02-2021 101010");
    ASSERT_TRUE(Start());
    auto* tree = child<QTreeWidget>("tvNGBD");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Stored Backups");
    ASSERT_EQ(root->childCount(), 2);
    // The loaded neighborhood's group is selected and open.
    QTreeWidgetItem* group = tree->currentItem();
    EXPECT_EQ(group->text(0), "N001 - Neighborhood Backups");
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(group->child(0)->text(0), "N001 01-01-2020 000000");

    auto click = [&](QTreeWidgetItem* item) { emit tree->itemClicked(item, 0); };
    click(group->child(0));  // a backup: only selected
    EXPECT_TRUE(group->isExpanded());
    click(group);
    EXPECT_FALSE(group->isExpanded());
    click(group);
    click(root);  // closing the root closes every group
    EXPECT_FALSE(root->isExpanded());
    EXPECT_FALSE(group->isExpanded());
    click(root);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_FALSE(group->isExpanded());
}

TEST_F(EditorWindowTest, RenameNeighborhoodShowsAtOnceAndSurvivesSaveAndReload) {
    ASSERT_TRUE(Start());
    auto* edit = child<QLineEdit>("edtNGBDName");
    edit->clear();
    Type(edit, QString::fromUtf8("Zoë's Bay"));
    auto* cbNeighborhood = child<QComboBox>("cbNeighborhood");
    EXPECT_EQ(cbNeighborhood->currentText(), QString::fromUtf8("N001 : Zoë's Bay"));
    // Typed text is kept as UTF-8, as the game stores names.
    EXPECT_EQ(editor->State().Selected.NGBDName, "Zo\xC3\xAB's Bay");
    auto* btnSave = child<QPushButton>("btnSave");
    EXPECT_TRUE(btnSave->isEnabled());

    btnSave->click();
    EXPECT_FALSE(btnSave->isEnabled());
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isVisible());  // the page is filled again

    ASSERT_TRUE(Start());
    EXPECT_EQ(pickerItems[0], QString::fromUtf8("N001 : Zoë's Bay"));
    EXPECT_EQ(child<QLineEdit>("edtNGBDName")->text(), QString::fromUtf8("Zoë's Bay"));
}

TEST_F(EditorWindowTest, FillingPagesIsNoEdit) {
    ASSERT_TRUE(Start());
    for (const char* button : {"btnHouseHolds", "btnNeighborhood", "btnHouseHolds"})
        child<QPushButton>(button)->click();
    for (int i = 0; i < child<QComboBox>("cbUserName")->count(); ++i)
        ChooseSim(editor->State().Sims[static_cast<std::size_t>(i)]);
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(editor->State().AnythingModified());
}

TEST_F(EditorWindowTest, SortCyclesThroughThreeFormsKeepingTheSelection) {
    ASSERT_TRUE(Start());
    Character* chosen = editor->State().Sims.back();
    ChooseSim(chosen);
    const std::vector<QString> first = ComboTexts("cbUserName");
    const char* expected[] = {"File", "Last", "First"};
    auto* sort = child<QPushButton>("btnSortUsers");
    std::vector<QString> seen;
    for (const char* form : expected) {
        SCOPED_TRACE(form);
        sort->click();
        EXPECT_EQ(editor->SelectedSim(), chosen);
        EXPECT_EQ(settings.ReadText("Sort"), form);
        const std::vector<QString> texts = ComboTexts("cbUserName");
        EXPECT_TRUE(
            std::is_sorted(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
                return a.compare(b, Qt::CaseInsensitive) < 0;
            }));
        seen.push_back(child<QComboBox>("cbUserName")->currentText());
    }
    EXPECT_EQ(ComboTexts("cbUserName"), first);
    const QString file = QString::fromStdU16String(FileLabel(*chosen));
    EXPECT_TRUE(seen[0].startsWith(file + " : "));
    EXPECT_TRUE(seen[1].endsWith(" : " + file));
    EXPECT_NE(seen[0], seen[1]);

    // The next load lists the sims in the stored form.
    sort->click();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(child<QComboBox>("cbUserName")->currentText().startsWith("N001_"));
}

TEST_F(EditorWindowTest, SelectingASimRefreshesTheCurrentPage) {
    ASSERT_TRUE(Start());
    Character* housed = ChooseAHousedSimOnTheHouseholdsPage();
    ASSERT_NE(housed, nullptr);
    const QString household = child<QComboBox>("cbHouseHold")->currentText();
    const Household* shown = window->findChild<HouseholdsPage*>()->SelectedHousehold();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(static_cast<std::uint16_t>(housed->FamilyNumber), shown->Instance);
    EXPECT_TRUE(child<QLabel>("lblFamilyNumber")->text() ==
                "FamilyNumber: " + QString::number(housed->FamilyNumber));
    EXPECT_TRUE(child<QComboBox>("cbHouseMembers")->isVisibleTo(window.get()));
    EXPECT_EQ(child<QLineEdit>("edtCash")->text(), QString::number(shown->Cash));
    EXPECT_FALSE(child<QPushButton>("btnMoveIn")->isVisibleTo(window.get()));  // not Advanced

    // A sim outside every household: the page stays on the previous household, the picture is
    // grey.
    const auto& sims = editor->State().Sims;
    Character* loner = nullptr;
    for (Character* s : sims)
        if (s->FamilyNumber == 0) loner = s;
    if (!loner) {
        loner = sims.front() == housed ? sims.back() : sims.front();
        loner->FamilyNumber = 0;
    }
    ChooseSim(loner);
    EXPECT_TRUE(window->Page("pnlHouseholds")->isVisible());
    EXPECT_EQ(child<QComboBox>("cbHouseHold")->currentText(), household);
    EXPECT_EQ(child<QLabel>("lblFamilyNumber")->text(), "FamilyNumber: 0");
    const QImage picture = child<QLabel>("imgChar")->pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 7) {
            const QColor c = picture.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
        }
}

// Choosing a household member selects that sim, as the family lists do, and the members are
// drawn as those lists draw sims: the sim's own picture, grey for one outside every household.
TEST_F(EditorWindowTest, ChoosingAHouseholdMemberSelectsThatSim) {
    ASSERT_TRUE(Start());
    Character* housed = ChooseAHousedSimOnTheHouseholdsPage();
    ASSERT_NE(housed, nullptr);
    auto* members = child<SimPictureList>("cbHouseMembers");
    ASSERT_GE(members->count(), 2) << "the demo's first household has several members";
    ASSERT_EQ(members->SimAt(members->currentIndex()), housed);
    for (int i = 0; i < members->count(); ++i)
        EXPECT_EQ(members->PictureAt(i), SimPicture(*members->SimAt(i))) << i;

    // The closed list shows the chosen member's picture, not only the name.
    {
        const QImage picture = members->PictureAt(members->currentIndex());
        ASSERT_FALSE(picture.isNull());
        const QColor middle = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        const QImage shot = members->grab().toImage();
        bool shown = false;
        for (int y = 0; y < shot.height() && !shown; ++y)
            for (int x = 0; x < std::min(shot.width(), 60) && !shown; ++x)
                shown = shot.pixelColor(x, y) == middle;
        EXPECT_TRUE(shown);
    }

    // The keyboard: Down (or Up from the last entry) on the closed list chooses a neighbour.
    const bool down = members->currentIndex() + 1 < members->count();
    const int next = members->currentIndex() + (down ? 1 : -1);
    Character* chosen = members->SimAt(next);
    members->setFocus();
    QTest::keyClick(members, down ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(editor->SelectedSim(), chosen);
    EXPECT_TRUE(window->Page("pnlHouseholds")->isVisible());  // the page stays, on the new sim
    EXPECT_EQ(members->SimAt(members->currentIndex()), chosen);
    EXPECT_TRUE(child<QLabel>("lblFamilyNumber")->text() ==
                "FamilyNumber: " + QString::number(chosen->FamilyNumber));

    // A member whose own record puts it outside every household is drawn grey.
    const int other = next == 0 ? 1 : 0;
    members->SimAt(other)->FamilyNumber = 0;
    ChooseSim(chosen);
    const QImage grey = members->PictureAt(other);
    ASSERT_FALSE(grey.isNull());
    for (int y = 0; y < grey.height(); y += 5)
        for (int x = 0; x < grey.width(); x += 5) {
            const QColor c = grey.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
        }
}

TEST_F(EditorWindowTest, RenameHouseholdSaveAndReload) {
    ASSERT_TRUE(Start());
    ASSERT_NE(ChooseAHousedSimOnTheHouseholdsPage(), nullptr);
    auto* name = child<QLineEdit>("edtHouseholdName");
    ASSERT_TRUE(name->isVisibleTo(window.get()));
    name->clear();
    Type(name, QString::fromUtf8("Ångström"));
    auto* cbHouseHold = child<QComboBox>("cbHouseHold");
    EXPECT_EQ(cbHouseHold->currentText(), QString::fromUtf8("Ångström"));  // at once
    auto* memo = child<QPlainTextEdit>("memHouseholdDescription");
    memo->moveCursor(QTextCursor::End);
    Type(memo, " and more");
    // Funds: a typed non-digit becomes 0 in place, the value goes to the household.
    auto* cash = child<QLineEdit>("edtCash");
    cash->clear();
    Type(cash, "12a3");
    EXPECT_EQ(cash->text(), "1203");
    ASSERT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    const std::uint32_t instance =
        window->findChild<HouseholdsPage*>()->SelectedHousehold()->Instance;
    child<QPushButton>("btnSave")->click();
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_TRUE(window->Page("pnlHouseholds")->isVisible());  // reopened after the save
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();

    ASSERT_TRUE(Start());
    const Household* h = editor->State().FindHousehold(instance);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->HouseholdName, "\xC3\x85ngstr\xC3\xB6m");
    EXPECT_TRUE(h->HouseholdDescription.ends_with(" and more"));
    EXPECT_EQ(h->Cash, 1203);
}

TEST_F(EditorWindowTest, SwitchingNeighborhoodDropsUnsavedEdits) {
    ASSERT_TRUE(Start());
    Type(child<QLineEdit>("edtNGBDName"), "x");
    auto* cb = child<QComboBox>("cbNeighborhood");
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    cb->setCurrentIndex(1);
    emit cb->activated(1);
    EXPECT_EQ(messages.unsavedAsked.size(), 1u);
    EXPECT_EQ(editor->State().Selected.FolderName, "G001");
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    cb->setCurrentIndex(0);
    emit cb->activated(0);
    EXPECT_FALSE(child<QLineEdit>("edtNGBDName")->text().endsWith("x"));
}

TEST_F(EditorWindowTest, RunningGameIsAskedAbout) {
    ASSERT_TRUE(Start());
    const std::string name = editor->State().Selected.NGBDName;
    Type(child<QLineEdit>("edtNGBDName"), "!");
    gameRunning = true;
    messages.script({false});
    child<QPushButton>("btnSave")->click();
    EXPECT_EQ(messages.asked, std::vector<std::string>{kGameRunningWarning});
    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());  // nothing written

    auto* cb = child<QComboBox>("cbNeighborhood");
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    messages.script({false});
    cb->setCurrentIndex(1);
    emit cb->activated(1);
    EXPECT_EQ(editor->State().Selected.FolderName, "N001");  // still the loaded one
    EXPECT_EQ(cb->currentIndex(), 0);
    EXPECT_EQ(editor->State().Selected.NGBDName, name + "!");
}

TEST_F(EditorWindowTest, CloseIsRefusedWhileLoading) {
    ASSERT_TRUE(Start());
    bool closed = true;
    // Loading keeps the window painting, so a timer fires in the middle of it.
    QTimer::singleShot(0, [&] { closed = window->close(); });
    auto* cb = child<QComboBox>("cbNeighborhood");
    cb->setCurrentIndex(1);
    emit cb->activated(1);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->close());
}

}  // namespace
}  // namespace kinloom::gui
