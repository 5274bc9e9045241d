#pragma once
// The busy state: the wait cursor, and panels disabled so that nothing can be clicked while the
// program works or fills them, for as long as a guard lives. The destructor always ends it, so a
// failure that leaves the block early never leaves the wait cursor on or a panel dead.
//
// Guards nest: each sets the cursor again, and a panel disabled by several guards is enabled
// only when the last of them ends. A panel is enabled at the end whatever it was before: the
// busy state is over, and the page switch decides what is shown disabled.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace kinloom::gui {

class BusyGuard {
public:
    enum Scope {
        Panel,   // the widget itself
        Window,  // every panel the widget's window registered (the cursor only when none did)
    };

    // The wait cursor only.
    BusyGuard();
    // The wait cursor, and the widget (or its whole window) disabled.
    explicit BusyGuard(QWidget* widget, Scope scope = Panel);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    // A window names the panels its busy state disables; asked anew at every guard, so pages
    // put in place later count. Forgotten when the window is destroyed.
    static void RegisterWindow(QWidget* window, std::function<std::vector<QWidget*>()> panels);

private:
    std::vector<QPointer<QWidget>> panels_;
};

}  // namespace kinloom::gui
