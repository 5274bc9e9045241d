#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

ThinSlider::ThinSlider(QWidget* parent) : ThinSlider(Qt::Horizontal, parent) {}

ThinSlider::ThinSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {
    // A thin groove; QSlider never draws a selection range, so there is nothing else to remove.
    // A style sheet draws no focus frame, so the handle itself marks keyboard focus.
    setStyleSheet(
        "QSlider::groove:horizontal { height: 3px; background: palette(mid); border-radius: 1px; }"
        "QSlider::groove:vertical { width: 3px; background: palette(mid); border-radius: 1px; }"
        "QSlider::handle:horizontal { width: 10px; margin: -7px 0; background: palette(button);"
        "  border: 1px solid palette(dark); border-radius: 3px; }"
        "QSlider::handle:vertical { height: 10px; margin: 0 -7px; background: palette(button);"
        "  border: 1px solid palette(dark); border-radius: 3px; }"
        // The slider with the keyboard shows it on its handle.
        "QSlider::handle:focus { background: palette(highlight); border-color: palette(text); }");
    setTickPosition(QSlider::NoTicks);
}

}  // namespace kinloom::gui
