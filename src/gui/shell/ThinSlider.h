#pragma once
// ThinSlider: the value slider of every editor page. A standard slider drawn with a thin
// channel and no selection band; values, signals and input handling are QSlider's own.

#include <QSlider>

namespace kinloom::gui {

class ThinSlider : public QSlider {
    Q_OBJECT
public:
    explicit ThinSlider(QWidget* parent = nullptr);
    explicit ThinSlider(Qt::Orientation orientation, QWidget* parent = nullptr);
};

}  // namespace kinloom::gui
