// The busy state: the wait cursor and the disabled panels end with their guard however the guarded
// block is left, nested guards end only with the outermost, and a widget reaches its window's
// panels without knowing what kind of window it is in.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFrame>

#include <functional>
#include <stdexcept>
#include <vector>

#include "FakeMessages.h"
#include "core/platform/Settings.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/MainWindow.h"

namespace kinloom::gui {
namespace {

bool WaitCursorOn() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

// A window of two panels registered for its busy state, as the main window registers its own;
// the page stands inside the second panel, and the window knows nothing of it.
class BusyWindowTest : public ::testing::Test {
protected:
    QWidget window;
    QFrame* top = new QFrame(&window);
    QFrame* pages = new QFrame(&window);
    QFrame* page = new QFrame(pages);

    void SetUp() override {
        BusyGuard::RegisterWindow(&window, [this] { return std::vector<QWidget*>{top, pages}; });
        ASSERT_FALSE(QApplication::overrideCursor());
    }

    // Every panel usable again and no cursor left over.
    void ExpectIdle() {
        EXPECT_FALSE(QApplication::overrideCursor());
        for (QWidget* w : {top, pages, page}) EXPECT_TRUE(w->isEnabled());
    }
};

TEST_F(BusyWindowTest, AFailureInsideTheBlockEndsTheBusyState) {
    struct Case {
        const char* name;
        std::function<void()> block;  // throws while busy
    };
    const Case cases[] = {
        {"the page alone",
         [this] {
             BusyGuard busy(page);
             EXPECT_TRUE(WaitCursorOn());
             EXPECT_FALSE(page->isEnabled());
             EXPECT_TRUE(top->isEnabled());
             throw std::runtime_error("filling failed");
         }},
        {"the page's window",
         [this] {
             BusyGuard busy(page, BusyGuard::Window);
             EXPECT_TRUE(WaitCursorOn());
             EXPECT_FALSE(top->isEnabled());
             EXPECT_FALSE(pages->isEnabled());
             throw std::runtime_error("scan failed");
         }},
        {"an inner guard",
         [this] {
             BusyGuard outer(page, BusyGuard::Window);
             BusyGuard inner(page);
             throw std::runtime_error("filling failed");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.block(), std::runtime_error);
        ExpectIdle();
    }
}

TEST_F(BusyWindowTest, NestedGuardsEndWithTheOutermost) {
    {
        BusyGuard outer(page, BusyGuard::Window);
        {
            BusyGuard inner(page, BusyGuard::Window);
            BusyGuard filling(pages);
        }
        // The inner work is done, the outer is not: nothing may be clicked yet.
        EXPECT_TRUE(WaitCursorOn());
        EXPECT_FALSE(top->isEnabled());
        EXPECT_FALSE(pages->isEnabled());
    }
    ExpectIdle();

    // A panel that goes away while busy is simply not enabled again.
    auto* doomed = new QFrame(&window);
    {
        BusyGuard busy(doomed);
        delete doomed;
    }
    ExpectIdle();
}

TEST(BusyGuardTest, AWindowWithoutPanelsGetsTheCursorOnly) {
    ASSERT_FALSE(QApplication::overrideCursor());
    QWidget lone;
    auto* page = new QFrame(&lone);
    {
        BusyGuard busy(page, BusyGuard::Window);
        EXPECT_TRUE(WaitCursorOn());
        EXPECT_TRUE(lone.isEnabled());
        EXPECT_TRUE(page->isEnabled());
    }
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST(BusyGuardTest, MainWindowBusyStateNestsAndIsReachedFromItsPages) {
    MemorySettings settings;
    test::FakeMessages messages;
    MainWindow window(settings, messages);
    window.show();
    QWidget* top = window.findChild<QWidget*>("pnlTop");
    QWidget* about = window.Page("pnlAbout");
    ASSERT_TRUE(top && about);

    window.BeginBusy();
    window.BeginBusy();
    window.EndBusy();
    EXPECT_FALSE(top->isEnabled());  // still busy with the first
    EXPECT_TRUE(WaitCursorOn());
    window.EndBusy();
    EXPECT_TRUE(top->isEnabled());
    EXPECT_FALSE(QApplication::overrideCursor());

    {
        BusyGuard busy(about, BusyGuard::Window);
        EXPECT_FALSE(top->isEnabled());
        EXPECT_FALSE(window.findChild<QWidget*>("pnlButtons")->isEnabled());
        EXPECT_FALSE(window.close());  // nothing closes the window while it works
    }
    EXPECT_TRUE(top->isEnabled());
    EXPECT_FALSE(QApplication::overrideCursor());
}

}  // namespace
}  // namespace kinloom::gui
