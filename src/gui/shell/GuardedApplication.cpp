#include "gui/shell/GuardedApplication.h"

#include <QTimer>

#include <cstdio>
#include <exception>

namespace kinloom::gui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Report(e.what());
    } catch (...) {
        Report("an unknown error");
    }
    return false;
}

std::string GuardedApplication::FailureText(const std::string& what) {
    return "An unexpected error stopped the last action: " + what +
           "\r\nKinloom stays open with your unsaved edits. Check the sim you were editing before "
           "you save.";
}

void GuardedApplication::Report(const std::string& what) {
    if (!listener_) {
        std::fprintf(stderr, "kinloom: %s\n", FailureText(what).c_str());
        return;
    }
    // A message box here would run its own event loop inside the event that failed.
    QTimer::singleShot(0, this, [this, text = FailureText(what)] { listener_(text); });
}

}  // namespace kinloom::gui
