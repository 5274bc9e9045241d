// When no game is found the window opens nothing invented behind the player's back: it says
// where it looked and lets the player choose the game's folder, a Wine prefix, the demo (said
// plainly to be the demo), or to quit. Several copies of the game are listed to choose from, at
// start-up and through "Game Folder..." at any time.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "FakeDialogs.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/platform/MemoryRegistry.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/GameChooserDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/Startup.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;

class GameNotFoundTest : public ::testing::Test {
protected:
    test::TempDir temp;
    MemorySettings settings;
    test::FakeMessages messages;
    test::FakeDialogs dialogs;
    PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
    std::unique_ptr<MainWindow> window;
    NeighborhoodEditor* editor = nullptr;
    std::vector<GameChoice> choices;  // what each discovery was run with
    QString questionText;
    bool demoNoticeShown = false;
    QString pickerTitle;

    void TearDown() override {
        editor = nullptr;
        window.reset();
    }

    std::vector<GameCopy> severalAtFirst;  // what the first discovery finds, when set
    QStringList chooserRows;               // the chooser's rows, as last shown

    // A machine without the game (its launchers' places in an empty home of the test's own).
    StartupRequest Request() {
        StartupRequest request;
        request.Stored = &settings;
        request.DemoFolder = temp / "demo";
        request.Home = LauncherHome(temp / "home");
        fs::create_directories(temp / "documents");
        request.Platform = [this](const std::optional<fs::path>&) {
            GamePlatform p;
            p.Registry = std::make_unique<MemoryRegistry>();
            p.Documents = temp / "documents";
            return p;
        };
        return request;
    }

    // Runs discovery with the choice, as the program does (the choice is kept once it opens).
    StartupSource Discover(const GameChoice& choice) {
        choices.push_back(choice);
        if (choices.size() == 1 && !severalAtFirst.empty()) {
            StartupSource several;
            several.SeveralGames = true;
            several.Copies = severalAtFirst;
            return several;
        }
        StartupSource source = DiscoverStartupSource(WithChoice(Request(), choice));
        RememberChoice(settings, choice, source);
        return source;
    }

    // Each modal window that opens is answered by the next step.
    using Steps = std::deque<std::function<void(QWidget*)>>;

    // Answers each modal dialog as it comes up with the next step. Each timer holds the steps
    // itself (never a function that holds itself), so nothing outlives the last step.
    static void Answer(std::vector<std::function<void(QWidget*)>> steps) {
        AnswerLater(std::make_shared<Steps>(steps.begin(), steps.end()), 0);
    }
    static void AnswerLater(std::shared_ptr<Steps> pending, int delay) {
        QTimer::singleShot(delay, [pending] {
            if (pending->empty()) return;
            if (QWidget* modal = QApplication::activeModalWidget()) {
                auto step = pending->front();
                pending->pop_front();
                step(modal);
            }
            if (!pending->empty()) AnswerLater(pending, 10);
        });
    }

    bool Start(std::vector<std::function<void(QWidget*)>> steps) {
        window = std::make_unique<MainWindow>(settings, messages, &pictures);
        editor = new NeighborhoodEditor(
            *window, settings, messages, pictures, [] { return false; }, &dialogs, nullptr);
        Answer(std::move(steps));
        return RunStartup(*window, *editor, pictures, messages, dialogs,
                          [this](const GameChoice& choice) { return Discover(choice); });
    }

    // Reads the chooser's rows and opens the row at index with the keyboard (or Escape for -1).
    std::function<void(QWidget*)> ChooseCopy(int index) {
        return [this, index](QWidget* modal) {
            auto* chooser = qobject_cast<GameChooserDialog*>(modal);
            ASSERT_NE(chooser, nullptr);
            auto* list = chooser->findChild<QTreeWidget*>("lstGameCopies");
            chooserRows.clear();
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < list->columnCount(); ++c)
                    cells << list->topLevelItem(i)->text(c);
                chooserRows << cells.join(" | ");
            }
            if (const QString shots = qEnvironmentVariable("KINLOOM_SHOTS"); !shots.isEmpty())
                chooser->grab().save(shots + "/choose-game.png");
            if (index < 0) {
                QTest::keyClick(modal, Qt::Key_Escape);
                return;
            }
            list->setFocus();
            list->setCurrentItem(list->topLevelItem(0));
            for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
        };
    }

    // Two copies of the game, each a demo user-data folder; the second has one neighborhood
    // fewer so the two can be told apart.
    void TwoCopies() {
        WriteDemoUserData(temp / "retail", DemoOptions{});
        WriteDemoUserData(temp / "uc", DemoOptions{});
        fs::remove_all(temp / "uc" / "Neighborhoods" / "F001");
        severalAtFirst = {
            {"The Sims 2", "Lutris", temp / "lutris", temp / "retail", 3},
            {"The Sims 2 Ultimate Collection", "Steam", temp / "pfx", temp / "uc", 2}};
    }

    // Reads the "not found" question and presses one of its buttons.
    std::function<void(QWidget*)> Press(const char* button) {
        return [this, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            ASSERT_EQ(box->objectName(), "dlgGameNotFound");
            questionText = box->text();
            // With KINLOOM_SHOTS naming a folder, the question is kept as a picture to look at.
            if (const QString shots = qEnvironmentVariable("KINLOOM_SHOTS"); !shots.isEmpty())
                box->grab().save(shots + "/game-not-found.png");
            auto* b = box->findChild<QPushButton*>(button);
            ASSERT_NE(b, nullptr);
            b->click();
        };
    }
    std::function<void(QWidget*)> Escape() {
        return [this](QWidget* modal) {
            questionText = qobject_cast<QMessageBox*>(modal)->text();
            if (const QString shots = qEnvironmentVariable("KINLOOM_SHOTS"); !shots.isEmpty())
                modal->grab().save(shots + "/game-not-found-first.png");
            QTest::keyClick(modal, Qt::Key_Escape);
        };
    }
    std::function<void(QWidget*)> PickFirstNeighborhood() {
        return [this](QWidget* modal) {
            auto* picker = qobject_cast<NeighborhoodPickerDialog*>(modal);
            ASSERT_NE(picker, nullptr);
            demoNoticeShown = picker->findChild<QLabel*>("lblDemoNotice")->isVisibleTo(picker);
            pickerTitle = picker->windowTitle();
            if (const QString shots = qEnvironmentVariable("KINLOOM_SHOTS"); !shots.isEmpty())
                picker->grab().save(shots + (demoNoticeShown ? "/picker-demo.png" : "/picker.png"));
            picker->findChild<QPushButton*>("btnOkay")->click();
        };
    }
};

TEST_F(GameNotFoundTest, TheQuestionSaysWhereItLookedAndEscapeQuits) {
    EXPECT_FALSE(Start({Escape()}));
    EXPECT_TRUE(questionText.startsWith(QString::fromUtf8(kUserDataNotFound)));
    EXPECT_TRUE(questionText.contains("Documents folder: " +
                                      QString::fromStdString((temp / "documents").string())));
    // The launchers' places, the absent ones together, broken into lines of a readable width.
    EXPECT_TRUE(questionText.contains("\n  Not there: ~/.wine, ~/.config/lutris/games,"));
    for (const QString& line : questionText.split('\n'))
        EXPECT_LE(line.size(), 110) << line.toStdString();
    EXPECT_FALSE(fs::exists(temp / "demo"));  // nothing invented was written
    EXPECT_EQ(choices.size(), 1u);
}

TEST_F(GameNotFoundTest, ChoosingTheUserDataFolderOpensIt) {
    WriteDemoUserData(temp / "game", DemoOptions{});
    // A cancelled folder dialog asks again; the second time the game's folder is chosen.
    dialogs.folders = {std::nullopt, temp / "game"};
    ASSERT_TRUE(Start(
        {Press(kChooseUserDataButton), Press(kChooseUserDataButton), PickFirstNeighborhood()}));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[1].UserData, temp / "game");
    EXPECT_FALSE(demoNoticeShown);
    EXPECT_FALSE(window->windowTitle().contains("demo"));
    EXPECT_EQ(editor->Startup().Neighborhoods.size(), 3u);
    EXPECT_FALSE(fs::exists(temp / "demo"));
}

TEST_F(GameNotFoundTest, AWinePrefixWithoutTheGameAsksAgain) {
    fs::create_directories(temp / "prefix");
    dialogs.folders = {temp / "prefix"};
    EXPECT_FALSE(Start({Press(kChooseWinePrefixButton), Press(kQuitButton)}));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[1].WinePrefix, temp / "prefix");
    EXPECT_TRUE(questionText.startsWith(QString::fromUtf8(kUserDataNotFound)));
}

TEST_F(GameNotFoundTest, TheDemoOpensOnlyWhenChosenAndSaysSo) {
    ASSERT_TRUE(Start({Press(kOpenDemoButton), PickFirstNeighborhood()}));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_TRUE(choices[1].Demo);
    EXPECT_TRUE(demoNoticeShown);
    EXPECT_TRUE(pickerTitle.contains("demo"));
    EXPECT_TRUE(window->windowTitle().contains("demo"));
}

TEST_F(GameNotFoundTest, SeveralCopiesAreListedAndTheOneChosenOpens) {
    TwoCopies();
    ASSERT_TRUE(Start({ChooseCopy(1), PickFirstNeighborhood()}));
    EXPECT_EQ(chooserRows,
              QStringList({"The Sims 2 | Lutris | 3 | " +
                               QString::fromStdString((temp / "retail").string()) + " | " +
                               QString::fromStdString((temp / "lutris").string()),
                           "The Sims 2 Ultimate Collection | Steam | 2 | " +
                               QString::fromStdString((temp / "uc").string()) + " | " +
                               QString::fromStdString((temp / "pfx").string())}));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[1].UserData, temp / "uc");
    EXPECT_EQ(choices[1].WinePrefix, temp / "pfx");
    EXPECT_EQ(editor->Startup().UserDataFolder, temp / "uc");
    EXPECT_EQ(editor->Startup().Neighborhoods.size(), 2u);
    // The copy is kept for the next start.
    EXPECT_EQ(settings.ReadText(kGameUserDataSetting), std::optional((temp / "uc").string()));

    TearDown();
    choices.clear();
    EXPECT_FALSE(Start({ChooseCopy(-1)}));  // Escape quits
}

// Copies in two launchers' prefixes share the long end of their folders: the columns fit the
// dialog, cut in the middle so the start where they differ shows, the whole folder on hover.
TEST(GameChooserTest, LongFoldersFitTheDialogCutInTheMiddle) {
    const fs::path tail = "drive_c/users/player/Documents/EA Games/The Sims 2 Ultimate Collection";
    const std::vector<GameCopy> copies{
        {"The Sims 2 Ultimate Collection", "Lutris",
         fs::path("/home/player/Games/lutris/the-sims-2-ultimate-collection"),
         fs::path("/home/player/Games/lutris/the-sims-2-ultimate-collection") / tail, 4},
        {"The Sims 2 Ultimate Collection", "Steam",
         fs::path("/home/player/.local/share/Steam/steamapps/compatdata/11790/pfx"),
         fs::path("/home/player/.local/share/Steam/steamapps/compatdata/11790/pfx") / tail, 2}};
    test::FakeDialogs dialogs;
    GameChooserDialog chooser(copies, dialogs, GameChooserDialog::Purpose::Startup, std::nullopt);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    auto* list = chooser.findChild<QTreeWidget*>("lstGameCopies");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->textElideMode(), Qt::ElideMiddle);
    int widths = 0;
    for (int c = 0; c < list->columnCount(); ++c) widths += list->columnWidth(c);
    EXPECT_LE(widths, list->viewport()->width());
    for (int row = 0; row < 2; ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        EXPECT_EQ(item->toolTip(3), item->text(3));
        EXPECT_EQ(item->text(3).toStdString(),
                  copies[static_cast<std::size_t>(row)].UserDataFolder.string());
    }
}

TEST_F(GameNotFoundTest, GameFolderOpensAnotherCopyAfterAskingAboutEdits) {
    TwoCopies();
    ASSERT_TRUE(Start({ChooseCopy(0), PickFirstNeighborhood()}));
    ASSERT_TRUE(editor->Loaded());
    const std::string loadedBefore = editor->State().Selected.FolderName;
    const auto change = [this] {
        return ChangeGame(
            *window, *editor, messages, dialogs, [this] { return severalAtFirst; },
            [this](const GameChoice& choice) { return Discover(choice); });
    };
    editor->SetGameFolderAction([&] { change(); });
    window->OpenPage("btnNeighborhood");
    auto* name = window->findChild<QLineEdit*>("edtNGBDName");
    name->setFocus();
    QTest::keyClicks(name, "x");
    ASSERT_TRUE(editor->State().AnythingModified());

    // Cancel at the unsaved question: nothing else is asked and the neighborhood stays.
    messages.scriptUnsaved({UnsavedAnswer::Cancel});
    auto* button = window->findChild<QPushButton*>("btnGameFolder");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(messages.unsavedAsked.size(), 1u);
    EXPECT_EQ(choices.size(), 2u);
    EXPECT_TRUE(editor->State().AnythingModified());

    // Discard, then Cancel in the chooser: the open neighborhood (and its edit) stays.
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    Answer({ChooseCopy(-1)});
    button->click();
    EXPECT_EQ(choices.size(), 2u);
    EXPECT_EQ(editor->State().Selected.FolderName, loadedBefore);
    EXPECT_TRUE(chooserRows.value(0).contains("(open now)"));

    // Discard, then the other copy: it opens and is kept for the next start.
    messages.scriptUnsaved({UnsavedAnswer::Discard});
    Answer({ChooseCopy(1)});
    button->click();
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[2].UserData, temp / "uc");
    EXPECT_EQ(editor->Startup().UserDataFolder, temp / "uc");
    EXPECT_TRUE(editor->Loaded());
    EXPECT_FALSE(editor->State().AnythingModified());
    EXPECT_EQ(editor->Startup().Neighborhoods.size(), 2u);
    EXPECT_TRUE(window->findChild<QLabel*>("lblGameFolder")->text().contains("uc"));
    EXPECT_EQ(settings.ReadText(kGameUserDataSetting), std::optional((temp / "uc").string()));
    EXPECT_EQ(settings.ReadText(kGameWinePrefixSetting), std::optional((temp / "pfx").string()));

    // A folder holding no game is refused out loud and the chooser asked again.
    fs::create_directories(temp / "empty");
    dialogs.folders = {temp / "empty"};
    Answer({[](QWidget* modal) { modal->findChild<QPushButton*>("btnChooseUserData")->click(); },
            ChooseCopy(-1)});
    button->click();
    EXPECT_EQ(messages.shown.back().rfind(kUserDataNotFound, 0), 0u);
    EXPECT_EQ(editor->Startup().UserDataFolder, temp / "uc");
}

}  // namespace
}  // namespace kinloom::gui
