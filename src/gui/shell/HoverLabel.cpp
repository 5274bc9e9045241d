#include "gui/shell/HoverLabel.h"

namespace kinloom::gui {

HoverLabel::HoverLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void HoverLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (OnEnter) OnEnter(this);
}

void HoverLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (OnExit) OnExit(this);
}

}  // namespace kinloom::gui
