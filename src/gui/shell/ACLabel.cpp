#include "shell/ACLabel.h"

namespace kinloom::gui {

TACLabel::TACLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void TACLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (OnEnter) OnEnter(this);
}

void TACLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (OnExit) OnExit(this);
}

}  // namespace kinloom::gui
