#pragma once
// HoverLabel: a label that reports the mouse pointer entering and leaving it (the About page's
// link label uses it). Both callbacks are optional.

#include <QLabel>
#include <functional>

namespace kinloom::gui {

class HoverLabel : public QLabel {
    Q_OBJECT
public:
    using Notify = std::function<void(HoverLabel* sender)>;
    explicit HoverLabel(const QString& text = {}, QWidget* parent = nullptr);

    Notify OnEnter;
    Notify OnExit;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

}  // namespace kinloom::gui
