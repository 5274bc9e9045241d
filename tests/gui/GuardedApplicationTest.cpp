// An exception thrown by an event handler stops that action and is reported; the program and its
// window go on (Qt cannot carry an exception through its event loop).

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/shell/GuardedApplication.h"

namespace kinloom::gui {
namespace {

// A widget whose handling of the player's event fails.
class ThrowingWidget : public QWidget {
public:
    explicit ThrowingWidget(std::function<void()> failure) : failure_(std::move(failure)) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) failure_();
        return QWidget::event(e);
    }

private:
    std::function<void()> failure_;
};

class GuardedApplicationTest : public ::testing::Test {
protected:
    GuardedApplication* app = dynamic_cast<GuardedApplication*>(QApplication::instance());
    std::vector<std::string> reported;

    void SetUp() override {
        ASSERT_NE(app, nullptr) << "the widget tests run under the window's own application";
        app->SetFailureListener([this](const std::string& text) { reported.push_back(text); });
    }
    void TearDown() override {
        if (app) app->SetFailureListener(nullptr);
    }
};

TEST_F(GuardedApplicationTest, AThrowingHandlerIsReportedAndTheProgramGoesOn) {
    struct Case {
        const char* what;
        std::function<void()> failure;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"a library error", [] { throw std::runtime_error("basic_filebuf::underflow"); },
         "basic_filebuf::underflow"},
        {"anything else", [] { throw 42; }, "an unknown error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reported.clear();
        ThrowingWidget widget(c.failure);
        widget.show();
        QTimer::singleShot(0, c.failure);  // a handler the event loop runs
        QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));  // a widget's own event
        QTest::qWait(20);
        ASSERT_EQ(reported.size(), 2u);
        EXPECT_EQ(reported[1], reported[0]);
        EXPECT_EQ(reported[0], GuardedApplication::FailureText(c.expected));
        EXPECT_NE(reported[0].find("unsaved edits"), std::string::npos);
        EXPECT_TRUE(widget.isVisible());
    }
}

}  // namespace
}  // namespace kinloom::gui
