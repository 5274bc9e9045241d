#include <QApplication>

#include "shell/uiMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kinloom::gui::TfrmMain window;
    window.show();
    return QApplication::exec();
}
