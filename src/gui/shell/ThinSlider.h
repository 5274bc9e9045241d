#pragma once
// ThinSlider: the value slider of every editor page. A standard slider drawn with a thin
// channel and no selection band; values, signals and input handling are QSlider's own. Disabled,
// it looks disabled, and so does its caption.

#include <QSlider>

namespace kinloom::gui {

class ThinSlider : public QSlider {
    Q_OBJECT
public:
    explicit ThinSlider(QWidget* parent = nullptr);
    explicit ThinSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
};

}  // namespace kinloom::gui
