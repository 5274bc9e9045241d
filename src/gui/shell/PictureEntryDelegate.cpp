#include "gui/shell/PictureEntryDelegate.h"

#include <QPainter>
#include <algorithm>

#include "core/editing/FamilyTree.h"
#include "core/pictures/MakeThumb.h"
#include "gui/shell/BitmapImage.h"

namespace kinloom::gui {

PictureEntryDelegate::PictureEntryDelegate(const PictureEntryStyle& style, QObject* parent)
    : QStyledItemDelegate(parent), style_(style) {}

void PictureEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyle::State highlight = QStyle::State_Selected;
    if (style_.HighlightHover) highlight |= QStyle::State_MouseOver;
    Draw(*painter, option.rect, index.data(style_.PictureRole).value<QImage>(),
         index.data(Qt::DisplayRole).toString(), (option.state & highlight) != 0, option.palette,
         style_.FontOf ? style_.FontOf->font() : option.font);
}

QSize PictureEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(style_.RowHeight);
    return size;
}

void PictureEntryDelegate::Draw(QPainter& painter, const QRect& rect, const QImage& picture,
                                const QString& text, bool highlighted, const QPalette& palette,
                                const QFont& font) const {
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, highlighted ? palette.highlight() : palette.base());
    const QPoint corner = rect.topLeft() + QPoint(1, 1);
    if (!picture.isNull()) {
        painter.drawImage(corner, picture);
    } else if (style_.FrameMissingPicture) {
        painter.setPen(palette.color(QPalette::Mid));
        painter.drawRect(
            QRect(corner, QSize(style_.PictureSize, style_.PictureSize)).adjusted(0, 0, -1, -1));
    }
    painter.setPen(palette.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(font);
    const int left =
        rect.left() + style_.TextLeft + (style_.TextAfterPicture ? picture.width() : 0);
    const int top = rect.top() + style_.TextTop;
    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (style_.SingleLine) flags |= Qt::TextSingleLine;
    painter.drawText(QRect(left, top, std::max(0, rect.right() - left), rect.bottom() - top + 1),
                     flags, text);
    painter.restore();
}

QImage SimPicture(const Character& sim, int size) {
    Bitmap picture;
    MakeThumb(sim.Thumbnail.Picture(), picture, size);
    if (DrawnGrey(sim)) GrayscaleBitmap(picture);
    return ToQImage(picture);
}

QImage SimPortrait(const Character& sim) {
    Bitmap picture = sim.Thumbnail.Picture();
    if (DrawnGrey(sim)) GrayscaleBitmap(picture);
    return ToQImage(picture);
}

}  // namespace kinloom::gui
