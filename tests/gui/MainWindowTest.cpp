#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include "shell/uiMain.h"

namespace kinloom::gui {
namespace {

TEST(MainWindow, OpensAndCloses) {
    TfrmMain window;
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.objectName(), "frmMain");
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace kinloom::gui
