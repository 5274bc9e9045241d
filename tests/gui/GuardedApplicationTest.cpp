// An exception thrown by an event handler stops that action and is reported; the program and its
// window go on (Qt cannot carry an exception through its event loop).

#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/shell/GuardedApplication.h"

namespace kinloom::gui {
namespace {

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
        QPushButton button("Save");
        button.show();
        QObject::connect(&button, &QPushButton::clicked, c.failure);
        QTest::mouseClick(&button, Qt::LeftButton);  // a real click, delivered through the loop
        QTimer::singleShot(0, c.failure);            // and a timer's handler
        QTest::qWait(20);
        ASSERT_EQ(reported.size(), 2u);
        EXPECT_EQ(reported[0], GuardedApplication::FailureText(c.expected));
        EXPECT_NE(reported[0].find("unsaved edits"), std::string::npos);
        EXPECT_TRUE(button.isVisible());
    }
}

}  // namespace
}  // namespace kinloom::gui
