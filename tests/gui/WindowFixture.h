#pragma once
// The editor window started as the program starts it, on a fresh copy of the demo user-data
// folder: what every test of the whole window shares.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/maintenance/Backups.h"
#include "core/platform/Dialogs.h"
#include "core/platform/FileOps.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/Startup.h"

namespace kinloom::gui::test_window {

namespace fs = std::filesystem;

// The demo user-data folder, written once per test run; each window test works on its own copy,
// since tests save into it.
inline const fs::path& DemoTemplate() {
    static test::TempDir dir;
    static const fs::path folder = [] {
        const fs::path f = dir / "demo";
        WriteDemoUserData(f, DemoOptions{});
        return f;
    }();
    return folder;
}

// Keys pressed where the window's keyboard focus is, as a player presses them. A button's key
// presses it the way a click does, after showing it pressed for a moment: the wait covers that.
inline void PressKeys(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(&window);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &window, key, modifiers);
    QTest::qWait(250);
}

// What the archive of backups holds when a test starts.
enum class ArchiveStart {
    // One backup of N001, which keeps the backup reminder out of the tests that are not about it.
    OneBackup,
    Empty,
};

class WindowTest : public ::testing::Test {
protected:
    // What a test does with the neighborhood picker start-up shows.
    using PickerAction = std::function<void(NeighborhoodPickerDialog&)>;

    explicit WindowTest(ArchiveStart archive = ArchiveStart::OneBackup) : archive_(archive) {}

    test::TempDir temp;
    MemorySettings settings;
    test::FakeMessages messages;
    PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
    bool gameRunning = false;
    // What the editor is handed; the desktop's own when not set.
    Dialogs* windowDialogs = nullptr;
    FileOps* files = nullptr;
    // What the window and the editor ask through (start-up still reports to messages); messages
    // when not set. A test of the real message boxes hands QtMessages here.
    Messages* windowMessages = nullptr;
    std::unique_ptr<MainWindow> window;
    NeighborhoodEditor* editor = nullptr;

    fs::path DemoFolder() { return temp / "kinloom" / "demo"; }
    fs::path Archive() { return temp / "archive"; }

    void SetUp() override {
        fs::create_directories(DemoFolder().parent_path());
        fs::copy(DemoTemplate(), DemoFolder(), fs::copy_options::recursive);
        fs::create_directories(Archive());
        settings.WriteText(kArchiveSetting, Archive().string());
        if (archive_ == ArchiveStart::OneBackup)
            fs::create_directories(Archive() / "N001 01-01-2020 000000");
    }

    // The window goes before whatever a test handed it (dialogs, file operations, settings).
    void TearDown() override {
        editor = nullptr;
        window.reset();
    }

    static void ClickOkay(NeighborhoodPickerDialog& picker) {
        picker.findChild<QPushButton*>("btnOkay")->click();
    }

    // A new window on the same folder and settings, as the next run of the program; answer
    // handles the picker. False when start-up ends the program.
    bool Start(PickerAction answer = ClickOkay) {
        editor = nullptr;
        window.reset();
        Messages& asking = windowMessages ? *windowMessages : messages;
        window = std::make_unique<MainWindow>(settings, asking, &pictures);
        editor = new NeighborhoodEditor(
            *window, settings, asking, pictures, [this] { return gameRunning; }, windowDialogs,
            files);
        QTimer::singleShot(0, [answer = std::move(answer)] {
            auto* picker =
                qobject_cast<NeighborhoodPickerDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            answer(*picker);
        });
        StartupRequest request;
        request.Demo = true;
        request.DemoFolder = DemoFolder();
        request.Stored = &settings;
        return RunStartup(*window, *editor, pictures, messages,
                          [request] { return DiscoverStartupSource(request); });
    }

    // The first sim that belongs to a household, chosen in the sim list, with the Households page
    // opened on it; nullptr when no sim belongs to one.
    Character* ChooseAHousedSimOnTheHouseholdsPage() {
        const auto& sims = editor->State().Sims;
        const auto housed = std::find_if(sims.begin(), sims.end(),
                                         [](const Character* s) { return s->FamilyNumber != 0; });
        if (housed == sims.end()) return nullptr;
        auto* list = window->SimList();
        list->setCurrentIndex(static_cast<int>(housed - sims.begin()));
        emit list->activated(list->currentIndex());
        window->findChild<QPushButton*>("btnHouseHolds")->click();
        return *housed;
    }

    template <typename T>
    T* child(const QString& name) {
        T* c = window->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

private:
    ArchiveStart archive_;
};

}  // namespace kinloom::gui::test_window
