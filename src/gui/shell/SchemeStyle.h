#pragma once
// The look of the window's two colour schemes: the style sheet that colours every control, and
// the style under it that draws what a style sheet cannot (check marks, radio dots, indicator
// edges that stay visible on black).

#include <QProxyStyle>
#include <QString>

class QComboBox;
class QWidget;

namespace kinloom::gui {

class SchemeStyle : public QProxyStyle {
    Q_OBJECT
public:
    SchemeStyle();

    // The one style of every window, kept until the application ends: controls being torn down
    // after their window still draw through it.
    static SchemeStyle* Shared();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// The style sheet of the dark (true) or light scheme. Both give every control the same sizes,
// so switching schemes never moves or resizes anything.
QString SchemeStyleSheet(bool dark);

// Names in a list box can be of any length: the box keeps its own width and shows the current
// entry shortened with "...", while its drop-down list opens wide enough for the longest entry.
// minimumCharacters is the least the box shows (its width); 0 keeps the box's own setting.
void FitListBox(QComboBox* box, int minimumCharacters = 0);
// FitListBox for every list box under root that was not fitted yet.
void FitListBoxes(QWidget* root);

}  // namespace kinloom::gui
