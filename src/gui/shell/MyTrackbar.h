#pragma once
// TThinTrackbar: the value slider of every editor page. A standard slider drawn with a thin
// channel and no selection band; values, signals and input handling are QSlider's own.

#include <QSlider>

namespace kinloom::gui {

class TThinTrackbar : public QSlider {
    Q_OBJECT
public:
    explicit TThinTrackbar(QWidget* parent = nullptr);
    explicit TThinTrackbar(Qt::Orientation orientation, QWidget* parent = nullptr);
};

}  // namespace kinloom::gui
