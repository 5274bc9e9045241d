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
#include "WindowFixture.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/EditingModel.h"
#include "core/maintenance/Backups.h"
#include "core/neighborhoods/Discovery.h"
#include "core/platform/FileOps.h"
#include "core/platform/Settings.h"
#include "core/records/SimDescription.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/editors/EditingPage.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/Startup.h"

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
        // A sim read from the newest description, which has a place for every field.
        sim.FormatVersion = DescriptionVersionsOf(&Character::Nice)->Last;
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

using test_window::DemoTemplate;

// The editor window on the demo, for the pages' tests that save and reload.
class SimPagesWindowTest : public test_window::WindowTest {
protected:
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
        ASSERT_TRUE(child<QPushButton>("btnSave")->isEnabled());
        child<QPushButton>("btnSave")->click();
        ASSERT_FALSE(child<QPushButton>("btnSave")->isEnabled());
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front();
        ASSERT_TRUE(Start());
    }
};

}  // namespace kinloom::gui::test_pages
