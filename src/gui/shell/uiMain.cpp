#include "shell/uiMain.h"

#include <QLabel>

namespace kinloom::gui {

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmMain");
    setWindowTitle("Kinloom");
    auto* placeholder = new QLabel(tr("Kinloom"), this);
    placeholder->setObjectName("lblTitle");
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
    resize(900, 640);
}

}  // namespace kinloom::gui
