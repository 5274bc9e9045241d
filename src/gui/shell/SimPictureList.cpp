#include "gui/shell/SimPictureList.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "gui/shell/PictureEntryDelegate.h"

namespace kinloom::gui {

namespace {
constexpr int kSimRole = Qt::UserRole;
}

SimPictureList::SimPictureList(const char* name, int textLeft, int textTop, int itemHeight,
                               QWidget* parent)
    : QComboBox(parent) {
    setObjectName(name);
    // The entry under the pointer is highlighted too, and the text is drawn in the list's font.
    PictureEntryStyle entries;
    entries.RowHeight = itemHeight;
    entries.TextLeft = textLeft;
    entries.TextAfterPicture = true;
    entries.TextTop = textTop;
    entries.SingleLine = true;
    entries.HighlightHover = true;
    entries.FontOf = this;
    delegate_ = new PictureEntryDelegate(entries, this);
    setItemDelegate(delegate_);
    setMaxVisibleItems(3);
    setMinimumHeight(itemHeight + 8);
    setMinimumWidth(220);
}

int SimPictureList::TextLeft() const {
    return delegate_->Style().TextLeft;
}

int SimPictureList::TextTop() const {
    return delegate_->Style().TextTop;
}

int SimPictureList::ItemHeight() const {
    return delegate_->Style().RowHeight;
}

void SimPictureList::AddSim(const QString& text, Character* sim) {
    addItem(text);
    const int index = count() - 1;
    setItemData(index, QVariant::fromValue(static_cast<void*>(sim)), kSimRole);
    setItemData(index, sim ? SimPicture(*sim) : QImage(), kEntryPictureRole);
}

Character* SimPictureList::SimAt(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return static_cast<Character*>(itemData(index, kSimRole).value<void*>());
}

QImage SimPictureList::PictureAt(int index) const {
    if (index < 0 || index >= count()) return {};
    return itemData(index, kEntryPictureRole).value<QImage>();
}

void SimPictureList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const int current = currentIndex();
    if (current < 0) return;  // an empty list draws nothing
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    delegate_->Draw(painter, field, PictureAt(current), itemText(current), false, palette(),
                    font());
}

}  // namespace kinloom::gui
