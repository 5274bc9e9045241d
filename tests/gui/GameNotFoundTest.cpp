// When no game is found the window opens nothing invented behind the player's back: it says
// where it looked and lets the player choose the game's folder, a Wine prefix, the demo (said
// plainly to be the demo), or to quit.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

    // A machine without the game; each modal window that opens is answered by the next step.
    bool Start(std::vector<std::function<void(QWidget*)>> steps) {
        window = std::make_unique<MainWindow>(settings, messages, &pictures);
        editor = new NeighborhoodEditor(
            *window, settings, messages, pictures, [] { return false; }, &dialogs, nullptr);
        StartupRequest request;
        request.Stored = &settings;
        request.DemoFolder = temp / "demo";
        fs::create_directories(temp / "documents");
        request.Platform = [this](const std::optional<fs::path>&) {
            GamePlatform p;
            p.Registry = std::make_unique<MemoryRegistry>();
            p.Documents = temp / "documents";
            return p;
        };
        auto pending =
            std::make_shared<std::deque<std::function<void(QWidget*)>>>(steps.begin(), steps.end());
        auto answer = std::make_shared<std::function<void()>>();
        *answer = [pending, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || pending->empty()) {
                if (!pending->empty()) QTimer::singleShot(10, *answer);
                return;
            }
            auto step = pending->front();
            pending->pop_front();
            step(modal);
            if (!pending->empty()) QTimer::singleShot(10, *answer);
        };
        QTimer::singleShot(0, *answer);
        return RunStartup(*window, *editor, pictures, messages, dialogs,
                          [this, request](const GameChoice& choice) {
                              choices.push_back(choice);
                              return DiscoverStartupSource(WithChoice(request, choice));
                          });
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

}  // namespace
}  // namespace kinloom::gui
