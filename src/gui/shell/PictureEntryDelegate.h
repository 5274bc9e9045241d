#pragma once
// Owner-drawn list entries of a picture and a text: the sims of the relationship, cloning and
// family lists, the neighborhoods of the picker. Each entry is drawn on the list's background
// (the highlight for the entry chosen), its picture one pixel in from the entry's corner and its
// text to the right of the picture. The picture is drawn as the entry holds it: whether a sim is
// grey is decided once, when its picture is made (SimPicture), so the closed box's icon and the
// open list always agree.

#include <QImage>
#include <QStyledItemDelegate>

#include "gui/shell/PageKit.h"

namespace kinloom {
struct Character;
}

namespace kinloom::gui {

// Where an entry keeps its picture (a QImage) unless a list says otherwise.
inline constexpr int kEntryPictureRole = Qt::UserRole + 1;

struct PictureEntryStyle {
    int PictureRole = kEntryPictureRole;
    int PictureSize = kListPictureSize;
    int RowHeight = kListEntryHeight;
    // The text's distance from the entry's left edge, or with TextAfterPicture from the right
    // edge of the picture as drawn (an entry without a picture then has its text further left).
    int TextLeft = 0;
    bool TextAfterPicture = false;
    int TextTop = 0;
    bool SingleLine = false;
    // The entry under the pointer is highlighted as well as the chosen one.
    bool HighlightHover = false;
    // An entry without a picture draws an empty frame in its place, keeping the texts in line.
    bool FrameMissingPicture = false;
    // The text is drawn in this widget's font; nullptr: the list's own.
    const QWidget* FontOf = nullptr;
};

class PictureEntryDelegate : public QStyledItemDelegate {
public:
    PictureEntryDelegate(const PictureEntryStyle& style, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // One entry in rect; a closed box draws its current entry with this too.
    void Draw(QPainter& painter, const QRect& rect, const QImage& picture, const QString& text,
              bool highlighted, const QPalette& palette, const QFont& font) const;

    const PictureEntryStyle& Style() const { return style_; }

private:
    PictureEntryStyle style_;
};

// A sim as the lists and pages draw it: its thumbnail reduced to size × size, grey when the sim
// lives in no household; a null image for a sim without a thumbnail.
QImage SimPicture(const Character& sim, int size = kListPictureSize);
// The sim's whole thumbnail, grey when it lives in no household.
QImage SimPortrait(const Character& sim);

}  // namespace kinloom::gui
