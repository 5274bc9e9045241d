#include "gui/shell/ThinSlider.h"

#include <QEvent>
#include <QLabel>

namespace kinloom::gui {

ThinSlider::ThinSlider(QWidget* parent) : ThinSlider(Qt::Horizontal, parent) {}

ThinSlider::ThinSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {
    // A thin groove; QSlider never draws a selection range, so there is nothing else to remove.
    // A style sheet draws no focus frame, so the handle itself marks keyboard focus. A disabled
    // slider shows a hollow handle on a faint groove, as a greyed box looks beside a live one.
    setStyleSheet(
        "QSlider::groove:horizontal { height: 3px; background: palette(mid); border-radius: 1px; }"
        "QSlider::groove:vertical { width: 3px; background: palette(mid); border-radius: 1px; }"
        "QSlider::handle:horizontal { width: 10px; margin: -7px 0; background: palette(button);"
        "  border: 1px solid palette(dark); border-radius: 3px; }"
        "QSlider::handle:vertical { height: 10px; margin: 0 -7px; background: palette(button);"
        "  border: 1px solid palette(dark); border-radius: 3px; }"
        // The slider with the keyboard shows it on its handle.
        "QSlider::handle:focus { background: palette(highlight); border-color: palette(text); }"
        // Half-seen grey on either scheme's background: a faint groove and a hollow handle.
        "QSlider::groove:horizontal:disabled, QSlider::groove:vertical:disabled {"
        "  background: rgba(128, 128, 128, 70); }"
        "QSlider::handle:horizontal:disabled, QSlider::handle:vertical:disabled {"
        "  background: transparent; border: 1px solid rgba(128, 128, 128, 140); }");
    setTickPosition(QSlider::NoTicks);
}

void ThinSlider::changeEvent(QEvent* event) {
    QSlider::changeEvent(event);
    // The caption naming the slider (its buddy) greys with it, as a check box's text does.
    if (event->type() == QEvent::EnabledChange && parentWidget())
        for (QLabel* caption : parentWidget()->findChildren<QLabel*>())
            if (caption->buddy() == this) caption->setEnabled(isEnabled());
}

}  // namespace kinloom::gui
