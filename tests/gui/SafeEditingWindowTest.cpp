// The window never drops or overwrites data on a hasty key: questions default to their safe
// answer, unsaved edits are settled before anything drops them, Save keeps one place, and the
// backup reminder does not nag.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "core/editing/MoveIn.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/maintenance/Backups.h"
#include "core/platform/FileIO.h"
#include "core/platform/FileOps.h"
#include "core/platform/GameProcess.h"
#include "gui/shell/QtMessages.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_window::ArchiveStart;
using test_window::WindowTest;

// Presses a key on the message box about to open, as a user would.
void PressOnNextBox(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, key);
    });
}

TEST(QtMessagesTest, EnterAnswersTheDefaultAndEscapeTheSafeButton) {
    QtMessages boxes;
    enum class Kind { OkCancel, YesNo };
    struct Case {
        Kind kind;
        std::optional<DefaultAnswer> preset;  // nullopt: the caller says nothing
        Qt::Key key;
        bool yes;
    };
    const Case cases[] = {
        {Kind::OkCancel, std::nullopt, Qt::Key_Return, false},
        {Kind::OkCancel, DefaultAnswer::No, Qt::Key_Enter, false},
        {Kind::OkCancel, DefaultAnswer::Yes, Qt::Key_Return, true},
        {Kind::OkCancel, DefaultAnswer::Yes, Qt::Key_Escape, false},
        {Kind::YesNo, std::nullopt, Qt::Key_Return, false},
        {Kind::YesNo, DefaultAnswer::No, Qt::Key_Return, false},
        {Kind::YesNo, DefaultAnswer::Yes, Qt::Key_Return, true},
        {Kind::YesNo, DefaultAnswer::Yes, Qt::Key_Escape, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.kind == Kind::OkCancel ? "OK/Cancel" : "Yes/No") << ", key " << c.key);
        PressOnNextBox(c.key);
        Messages& asking = boxes;
        bool answer = false;
        if (c.kind == Kind::OkCancel)
            answer = c.preset ? asking.AskOkCancel("Replace it?", *c.preset)
                              : asking.AskOkCancel("Replace it?");
        else
            answer =
                c.preset ? asking.AskYesNo("Delete it?", *c.preset) : asking.AskYesNo("Delete it?");
        EXPECT_EQ(answer, c.yes);
    }

    // Unsaved edits: Enter keeps them by saving, Escape changes nothing.
    PressOnNextBox(Qt::Key_Return);
    EXPECT_EQ(boxes.AskSaveDiscardCancel("Unsaved."), UnsavedAnswer::Save);
    PressOnNextBox(Qt::Key_Escape);
    EXPECT_EQ(boxes.AskSaveDiscardCancel("Unsaved."), UnsavedAnswer::Cancel);
}

// The trash is a folder of the test's own, so nothing reaches the desktop's.
class TestTrash final : public FilesystemFileOps {
public:
    explicit TestTrash(fs::path trash) : trash_(std::move(trash)) {}
    bool DeleteToTrash(const fs::path& item) override {
        fs::create_directories(trash_);
        std::error_code ec;
        fs::rename(item, trash_ / item.filename(), ec);
        return !ec;
    }

private:
    fs::path trash_;
};

class SafeEditingWindowTest : public WindowTest {
protected:
    explicit SafeEditingWindowTest(ArchiveStart archive = ArchiveStart::OneBackup)
        : WindowTest(archive) {}

    // Types at the end of the neighborhood's name, an edit Save writes.
    void EditName(const QString& more) {
        auto* name = child<QLineEdit>("edtNGBDName");
        name->setText(name->text() + more);
        emit name->textEdited(name->text());
    }
    void ChooseNeighborhood(int index) {
        auto* cb = child<QComboBox>("cbNeighborhood");
        cb->setCurrentIndex(index);
        emit cb->activated(index);
    }
    Bytes Package() { return ReadWholeFile(editor->State().Selected.PackagePath); }
    bool TitleMarked() { return window->windowTitle().endsWith(" *"); }
    void Activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    std::vector<DefaultAnswer> AllSafe() const {
        return std::vector<DefaultAnswer>(messages.asked.size(), DefaultAnswer::No);
    }
};

TEST_F(SafeEditingWindowTest, DeleteNamesTheSimDefaultsToNoAndLeavesTheKeyboard) {
    ASSERT_TRUE(Start());
    Activate();
    auto* del = child<QPushButton>("btnDelSim");
    auto* sims = child<QComboBox>("cbUserName");
    const int count = sims->count();
    const Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    del->setFocus();
    QTest::keyClick(del, Qt::Key_Space);  // unscripted: answered No
    EXPECT_EQ(messages.asked, std::vector<std::string>{DeleteSimQuestion(*sim)});
    EXPECT_EQ(messages.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_EQ(sims->count(), count);
    EXPECT_NE(QApplication::focusWidget(), del) << "a second key press would delete again";
    EXPECT_EQ(QApplication::focusWidget(), sims);
}

TEST_F(SafeEditingWindowTest, GameRunningWarningsDefaultToCancel) {
    gameRunning = true;
    messages.script({true});  // start-up's load goes on
    ASSERT_TRUE(Start());
    EditName("x");
    child<QPushButton>("btnSave")->click();  // unscripted: Cancel, nothing written
    EXPECT_TRUE(editor->State().AnythingModified());
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    ChooseNeighborhood(1);  // the load's warning: Cancel
    EXPECT_EQ(editor->State().Selected.FolderName, "N001");
    EXPECT_EQ(messages.asked, std::vector<std::string>(3, kGameRunningWarning));
    EXPECT_EQ(messages.defaults, AllSafe());
}

TEST_F(SafeEditingWindowTest, UnsavedEditsMarkTheTitleAndCtrlSSavesThem) {
    ASSERT_TRUE(Start());
    Activate();
    auto* save = child<QPushButton>("btnSave");
    EXPECT_FALSE(TitleMarked());
    EXPECT_FALSE(save->isEnabled());
    const Bytes before = Package();
    EditName("x");
    EXPECT_TRUE(TitleMarked());
    EXPECT_TRUE(save->isEnabled());

    // Ctrl+S asks what the button asks while the game runs; Cancel writes nothing.
    gameRunning = true;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages.asked, std::vector<std::string>{kGameRunningWarning});
    EXPECT_TRUE(TitleMarked());
    EXPECT_EQ(Package(), before);

    gameRunning = false;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(editor->State().AnythingModified());
    EXPECT_NE(Package(), before);
    EXPECT_FALSE(TitleMarked());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(window->windowTitle().startsWith("Kinloom 1.6"));
}

TEST_F(SafeEditingWindowTest, ClosingWithUnsavedEditsAsksSaveDiscardOrCancel) {
    ASSERT_TRUE(Start());
    EditName("x");
    const Bytes before = Package();

    // Cancel: the window stays, with its edits.
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(messages.unsavedAsked,
              std::vector<std::string>{UnsavedChangesQuestion(editor->State().Selected)});
    EXPECT_TRUE(editor->State().AnythingModified());

    // Save, but the save does not happen (the game runs, its warning is cancelled): still open.
    gameRunning = true;
    messages.scriptUnsaved({UnsavedAnswer::Save});
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Package(), before);
    gameRunning = false;

    // Save: written, then closed.
    messages.scriptUnsaved({UnsavedAnswer::Save});
    EXPECT_TRUE(window->close());
    EXPECT_NE(Package(), before);
    EXPECT_EQ(settings.ReadText("NGBD"), "N001");

    // Discard: closed, nothing written.
    ASSERT_TRUE(Start());
    EditName("y");
    const Bytes saved = Package();
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    EXPECT_TRUE(window->close());
    EXPECT_EQ(Package(), saved);
    EXPECT_EQ(messages.unsavedAsked.size(), 4u);

    // Nothing unsaved: closing asks nothing.
    ASSERT_TRUE(Start());
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages.unsavedAsked.size(), 4u);
}

TEST_F(SafeEditingWindowTest, RealMessageBoxesAnswerAHastyKeySafely) {
    QtMessages boxes;
    windowMessages = &boxes;
    TestTrash trash(temp / "trash");
    files = &trash;
    ASSERT_TRUE(Start());
    auto* sims = child<QComboBox>("cbUserName");
    const int count = sims->count();
    const fs::path file = editor->SelectedSim()->FilePath;

    PressOnNextBox(Qt::Key_Return);
    child<QPushButton>("btnDelSim")->click();
    EXPECT_EQ(sims->count(), count);
    EXPECT_TRUE(fs::exists(file));

    EditName("x");
    PressOnNextBox(Qt::Key_Escape);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(editor->State().AnythingModified());
}

TEST_F(SafeEditingWindowTest, ChoosingAnotherNeighborhoodSettlesUnsavedEditsFirst) {
    ASSERT_TRUE(Start());
    auto* cb = child<QComboBox>("cbNeighborhood");
    const QString stored = cb->itemText(0);
    EditName("x");
    ASSERT_NE(cb->itemText(0), stored);

    // Cancel: the loaded neighborhood stays, with its edits, and the list shows it again.
    ChooseNeighborhood(1);
    EXPECT_EQ(messages.unsavedAsked.size(), 1u);
    EXPECT_EQ(cb->currentIndex(), 0);
    EXPECT_EQ(editor->State().Selected.FolderName, "N001");
    EXPECT_TRUE(editor->State().AnythingModified());

    // Discard: the other loads, and the list names N001 as its package does.
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    ChooseNeighborhood(1);
    EXPECT_EQ(editor->State().Selected.FolderName, "G001");
    EXPECT_EQ(cb->itemText(0), stored);
    EXPECT_EQ(editor->Startup().Neighborhoods[0].Modified, 0);
    EXPECT_FALSE(TitleMarked());

    // Save: written before the next neighborhood loads.
    EditName("y");
    const fs::path g001 = editor->State().Selected.PackagePath;
    const Bytes before = ReadWholeFile(g001);
    messages.scriptUnsaved({UnsavedAnswer::Save});
    ChooseNeighborhood(0);
    EXPECT_EQ(editor->State().Selected.FolderName, "N001");
    EXPECT_NE(ReadWholeFile(g001), before);
    EXPECT_TRUE(cb->itemText(1).endsWith("y"));
    EXPECT_EQ(messages.unsavedAsked.size(), 3u);
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(SafeEditingWindowTest, RestoringOverTheLoadedNeighborhoodSettlesUnsavedEditsFirst) {
    ASSERT_TRUE(Start());
    const std::string ownName = "N001 01-01-2020 000000";
    const BackupNode own{2, ownName, Archive() / ownName, {}};
    EditName("x");
    const Bytes before = Package();

    // Cancel: the restore never starts.
    editor->RestoreBackup(own);
    EXPECT_EQ(messages.unsavedAsked.size(), 1u);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(editor->State().AnythingModified());
    EXPECT_EQ(Package(), before);

    // Discard: the restore asks its own question, which defaults to Cancel.
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    editor->RestoreBackup(own);
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(Package(), before);

    // A backup of another neighborhood leaves the loaded one's edits alone: nothing is asked
    // about them. Deleting a backup defaults to Cancel too.
    const std::string otherName = "G001 02-02-2020 000000";
    fs::create_directories(Archive() / otherName);
    const BackupNode other{2, otherName, Archive() / otherName, {}};
    editor->RestoreBackup(other);
    editor->DeleteBackup(other);
    EXPECT_EQ(messages.unsavedAsked.size(), 2u);
    EXPECT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.defaults, AllSafe());
    EXPECT_TRUE(fs::exists(Archive() / otherName));
}

TEST_F(SafeEditingWindowTest, SaveKeepsItsPlaceAndNothingMovesWhenItIsOffered) {
    ASSERT_TRUE(Start());
    auto* save = child<QPushButton>("btnSave");
    std::vector<QPushButton*> buttons{save};
    for (QPushButton* b : child<QWidget>("pnlButtons")->findChildren<QPushButton*>())
        buttons.push_back(b);
    const auto places = [&] {
        QApplication::processEvents();  // pending layouts
        std::vector<QRect> rects;
        for (QPushButton* b : buttons)
            rects.emplace_back(b->mapTo(window.get(), QPoint(0, 0)), b->size());
        return rects;
    };
    const std::vector<QRect> before = places();
    EXPECT_TRUE(save->isVisible());
    EXPECT_FALSE(save->isEnabled());

    EditName("x");
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(places(), before);
    save->click();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(places(), before);
}

class BackupReminderTest : public SafeEditingWindowTest {
protected:
    BackupReminderTest() : SafeEditingWindowTest(ArchiveStart::Empty) {}
};

TEST_F(BackupReminderTest, ComesOncePerNeighborhoodPerRun) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{BackupNotFoundText(editor->State().Selected)});

    // Every sim change fills the open Neighborhood page again: no second reminder.
    auto* sims = child<QComboBox>("cbUserName");
    for (int i = 0; i < std::min(3, sims->count()); ++i) {
        sims->setCurrentIndex(i);
        emit sims->activated(i);
    }
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isVisible());
    child<QPushButton>("btnHouseHolds")->click();
    child<QPushButton>("btnNeighborhood")->click();
    EXPECT_EQ(messages.shown.size(), 1u);

    // Another neighborhood is reminded of once, the first not again.
    ChooseNeighborhood(1);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1], BackupNotFoundText(editor->State().Selected));
    ChooseNeighborhood(0);
    EXPECT_EQ(messages.shown.size(), 2u);

    // The next run reminds again.
    ASSERT_TRUE(Start());
    EXPECT_EQ(messages.shown.size(), 3u);
}

// A value typed into a field is taken before anything could pass over it: Ctrl+S, closing the
// window, another sim, another page. Reward points are taken only when their field is left; a
// name is taken as it is typed. Both must reach the sim they were typed for.
TEST_F(SafeEditingWindowTest, ATypedValueIsTakenBeforeEveryWayOut) {
    // Each way out types a value of its own: the same value twice would be no edit the second
    // time, the first having been saved.
    struct Field {
        const char* page;
        const char* box;
        std::function<QString(int)> typed;
        std::function<bool(const Character&, int)> holds;
    };
    const Field fields[] = {
        {"btnAspiration", "edtAspirationRewardPoints",
         [](int way) { return QString::number(1110 * (way + 1)); },
         [](const Character& s, int way) { return s.AspirationRewardPoints == 111 * (way + 1); }},
        {"btnCharacters", "edtFirstName", [](int way) { return QString("Typed%1").arg(way); },
         [](const Character& s, int way) { return s.FirstName == "Typed" + std::to_string(way); }},
    };
    enum class Exit { Save, Close, OtherSim, OtherPage };
    for (const Field& f : fields) {
        for (Exit exit : {Exit::Save, Exit::Close, Exit::OtherSim, Exit::OtherPage}) {
            SCOPED_TRACE(std::string(f.box) + " exit " + std::to_string(static_cast<int>(exit)));
            ASSERT_TRUE(Start());
            Activate();
            auto* list = window->SimList();
            list->setCurrentIndex(0);
            emit list->activated(0);
            child<QPushButton>(f.page)->click();
            auto* box = child<QLineEdit>(f.box);
            ASSERT_TRUE(box->isEnabled());
            box->setFocus();
            box->selectAll();
            const int way = static_cast<int>(exit);
            QTest::keyClicks(box, f.typed(way));
            Character* typedFor = editor->State().Sims.at(0);
            const std::size_t asked = messages.unsavedAsked.size();
            switch (exit) {
                case Exit::Save:
                    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
                    EXPECT_FALSE(editor->State().AnythingModified()) << "saved";
                    EXPECT_FALSE(TitleMarked());
                    break;
                case Exit::Close:
                    messages.scriptUnsaved({UnsavedAnswer::Cancel});
                    EXPECT_FALSE(window->close()) << "the typed value is an unsaved edit";
                    EXPECT_EQ(messages.unsavedAsked.size(), asked + 1);
                    break;
                case Exit::OtherSim:
                    list->setCurrentIndex(1);
                    emit list->activated(1);
                    EXPECT_FALSE(f.holds(*editor->State().Sims.at(1), way)) << "not the next sim's";
                    break;
                case Exit::OtherPage:
                    child<QPushButton>("btnSkills")->click();
                    break;
            }
            EXPECT_TRUE(f.holds(*typedFor, way));
            if (exit != Exit::Save) {
                EXPECT_TRUE(typedFor->Modified);
            }
        }
    }
}

// Reward points the sim cannot keep, typed and then Ctrl+S or close: the window stays where it
// is with the reason beside the box, nothing is saved or asked; the next try goes ahead.
TEST_F(SafeEditingWindowTest, ARefusedTypedValueStopsSaveAndCloseWithItsReason) {
    for (bool closing : {false, true}) {
        SCOPED_TRACE(closing ? "close" : "Ctrl+S");
        ASSERT_TRUE(Start());
        Activate();
        child<QPushButton>("btnAspiration")->click();
        auto* box = child<QLineEdit>("edtAspirationRewardPoints");
        Character* sim = editor->SelectedSim();
        ASSERT_NE(sim, nullptr);
        const std::int16_t kept = sim->AspirationRewardPoints;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "1234");
        const std::size_t asked = messages.unsavedAsked.size();
        if (closing) {
            EXPECT_FALSE(window->close());
        } else {
            QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
        }
        EXPECT_EQ(messages.unsavedAsked.size(), asked);
        EXPECT_EQ(sim->AspirationRewardPoints, kept);
        EXPECT_FALSE(editor->State().AnythingModified());
        EXPECT_EQ(box->text(), QString::number(kept * 10));
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_TRUE(QToolTip::text().contains("kept in tens")) << QToolTip::text().toStdString();
        if (closing) {
            EXPECT_TRUE(window->close()) << "nothing left to settle";
        }
    }
}

}  // namespace
}  // namespace kinloom::gui
