#pragma once
// The application object of the window: an exception thrown by any event handler (a button, a
// timer, a key) stops that one action and is reported, instead of passing through Qt, which
// cannot carry it and would end the program with every unsaved edit.

#include <QApplication>

#include <functional>
#include <string>

namespace kinloom::gui {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Told the failure's text after the event that failed is over (never inside it). Without a
    // listener the failure is written to standard error.
    void SetFailureListener(std::function<void(const std::string&)> listener) {
        listener_ = std::move(listener);
    }

    bool notify(QObject* receiver, QEvent* event) override;

    // The text shown to the player for a failure.
    static std::string FailureText(const std::string& what);

private:
    void Report(const std::string& what);

    std::function<void(const std::string&)> listener_;
};

}  // namespace kinloom::gui
