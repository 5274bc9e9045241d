#pragma once
// What the sim page tests share: one page on one sim in memory (PageHarness), and the editor
// window started on a fresh copy of the demo user-data folder (SimPagesWindowTest).

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <memory>

#include "FakeMessages.h"
#include "FakePageHost.h"
#include "PackageBuilder.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/EditingModel.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "core/startup/StartupSource.h"
#include "gui/editors/EditingPage.h"
#include "core/maintenance/Backups.h"
#include "core/neighborhoods/Discovery.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "core/platform/FileOps.h"
#include "core/platform/Settings.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/Startup.h"
#include "gui/shell/MainWindow.h"

namespace kinloom::gui::test_pages {

namespace fs = std::filesystem;

// One page on one sim, without the window: the page switch just enables the panel.
template <typename Page>
class PageHarness : public FakePageHost {
public:
    Character sim;
    bool hasPets = true;
    bool hasFreeTime = true;
    bool hasUniversity = true;
    Page page;

    PageHarness() : page(*this) {
        current = &sim;
        advanced = true;
        packs = {true, true, true, true, true, true, true};
    }

    // The switches above win, so a test can take one pack away.
    const ExpansionFlags& Packs() const override {
        shownPacks_ = packs;
        shownPacks_.HasPets = hasPets;
        shownPacks_.HasFreeTime = hasFreeTime;
        shownPacks_.HasUniversity = hasUniversity;
        return shownPacks_;
    }
    void Open() {
        page.Open([this] { page.setEnabled(true); });
    }
    template <typename T>
    T* child(const QString& name) {
        T* c = page.template findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

private:
    mutable ExpansionFlags shownPacks_;
};

// The demo user-data folder, written once per test run; each window test copies it.
inline const fs::path& DemoTemplate() {
    static test::TempDir dir;
    static const fs::path folder = [] {
        const fs::path f = dir / "demo";
        WriteDemoUserData(f, DemoOptions{});
        return f;
    }();
    return folder;
}

class SimPagesWindowTest : public ::testing::Test {
protected:
    test::TempDir temp;
    MemorySettings settings;
    test::FakeMessages messages;
    PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
    std::unique_ptr<MainWindow> window;
    NeighborhoodEditor* editor = nullptr;
    FileOps* files = nullptr;  // the desktop's own when not set

    fs::path DemoFolder() { return temp / "kinloom" / "demo"; }

    void SetUp() override {
        fs::create_directories(DemoFolder().parent_path());
        fs::copy(DemoTemplate(), DemoFolder(), fs::copy_options::recursive);
        settings.WriteText(kArchiveSetting, (temp / "archive").string());
        fs::create_directories(temp / "archive" / "N001 01-01-2020 000000");
    }

    bool Start() {
        editor = nullptr;
        window.reset();
        window = std::make_unique<MainWindow>(settings, messages, &pictures);
        editor = new NeighborhoodEditor(*window, settings, messages, pictures, [] { return false; },
                                        nullptr, files);
        QTimer::singleShot(0, [] {
            auto* picker = qobject_cast<NeighborhoodPickerDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            picker->findChild<QPushButton*>("btnOkay")->click();
        });
        StartupRequest request;
        request.Demo = true;
        request.DemoFolder = DemoFolder();
        request.Stored = &settings;
        return RunStartup(*window, *editor, pictures, messages,
                          [request] { return DiscoverStartupSource(request); });
    }

    template <typename T>
    T* child(const QString& name) {
        T* c = window->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

    void ChooseSim(int index) {
        auto* combo = child<QComboBox>("cbUserName");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    Character* FindSim(const std::string& fileName) {
        for (Character* s : editor->State().Sims)
            if (s->FileName == fileName) return s;
        return nullptr;
    }

    void SaveAndReload() {
        ASSERT_TRUE(child<QPushButton>("btnSave")->isVisible());
        child<QPushButton>("btnSave")->click();
        ASSERT_FALSE(child<QPushButton>("btnSave")->isVisible());
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front();
        ASSERT_TRUE(Start());
    }
};

}  // namespace kinloom::gui::test_pages
