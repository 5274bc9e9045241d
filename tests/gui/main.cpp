// Test entry point for widget tests: one QApplication on the offscreen platform for every test.
#include <gtest/gtest.h>
#include <QApplication>

#include "gui/shell/GuardedApplication.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    kinloom::gui::GuardedApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
