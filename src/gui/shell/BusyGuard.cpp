#include "gui/shell/BusyGuard.h"

#include <QApplication>
#include <QHash>

namespace kinloom::gui {

namespace {

// How many live guards hold a panel disabled; kept on the panel so it goes with it.
constexpr const char* kDepthProperty = "kinloomBusyDepth";

QHash<const QWidget*, std::function<std::vector<QWidget*>()>>& Windows() {
    static QHash<const QWidget*, std::function<std::vector<QWidget*>()>> windows;
    return windows;
}

int Depth(const QWidget& panel) {
    return panel.property(kDepthProperty).toInt();
}

}  // namespace

BusyGuard::BusyGuard() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyGuard::BusyGuard(QWidget* widget, Scope scope) : BusyGuard() {
    if (!widget) return;
    if (scope == Panel) {
        panels_.emplace_back(widget);
    } else if (auto it = Windows().constFind(widget->window()); it != Windows().cend()) {
        for (QWidget* panel : (*it)()) panels_.emplace_back(panel);
    }
    for (const QPointer<QWidget>& panel : panels_) {
        if (!panel) continue;
        panel->setProperty(kDepthProperty, Depth(*panel) + 1);
        panel->setEnabled(false);
    }
}

BusyGuard::~BusyGuard() {
    for (const QPointer<QWidget>& panel : panels_) {
        if (!panel) continue;  // gone while the program worked
        const int depth = Depth(*panel) - 1;
        panel->setProperty(kDepthProperty, depth > 0 ? QVariant(depth) : QVariant());
        if (depth <= 0) panel->setEnabled(true);
    }
    QApplication::restoreOverrideCursor();
}

void BusyGuard::RegisterWindow(QWidget* window, std::function<std::vector<QWidget*>()> panels) {
    Windows()[window] = std::move(panels);
    QObject::connect(window, &QObject::destroyed, [window] { Windows().remove(window); });
}

}  // namespace kinloom::gui
