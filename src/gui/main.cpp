#include <QApplication>

#include "shell/QtMessages.h"
#include "shell/QtSettings.h"
#include "shell/uiMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kinloom 1.6");
    kinloom::gui::QtSettings settings;
    kinloom::gui::QtMessages messages;
    kinloom::gui::TfrmMain window(settings, messages);
    messages.SetParent(&window);
    window.show();
    return QApplication::exec();
}
