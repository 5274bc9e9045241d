#include "gui/neighborhoods/NeighborhoodPickerDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/pictures/ImageCodecs.h"
#include "core/platform/FileIO.h"
#include "gui/shell/BitmapImage.h"

namespace kinloom::gui {

namespace {

constexpr int kPictureRole = Qt::UserRole + 1;

// The neighborhood picture reduced to the picker's size; a null image when there is none.
QImage PickerPicture(const Neighborhood& n) {
    const std::filesystem::path file =
        n.PackagePath.parent_path() / (n.FolderName + "_Neighborhood.png");
    std::error_code ec;
    if (n.FolderName.empty() || !std::filesystem::is_regular_file(file, ec)) return {};
    try {
        return ThumbImage(DecodeImage(ReadWholeFile(file)), NeighborhoodPickerDialog::kPictureSize);
    } catch (const ImageError&) {
    } catch (const FileError&) {
    }
    return {};
}

// Picture one pixel in from the item's corner, text 6 pixels right of it and 12 below the top.
class PickerItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        const QPoint corner = option.rect.topLeft() + QPoint(1, 1);
        const QImage picture = index.data(kPictureRole).value<QImage>();
        const QRect pictureRect(corner,
                                QSize(NeighborhoodPickerDialog::kPictureSize, NeighborhoodPickerDialog::kPictureSize));
        if (!picture.isNull()) {
            painter->drawImage(corner, picture);
        } else {  // no picture file: an empty frame keeps the names in line
            painter->setPen(palette.color(QPalette::Mid));
            painter->drawRect(pictureRect.adjusted(0, 0, -1, -1));
        }
        painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                                 : palette.color(QPalette::Text));
        painter->setFont(option.font);
        const QRect textRect(pictureRect.right() + 1 + 6, option.rect.top() + 12,
                             option.rect.width() - pictureRect.width() - 8,
                             option.rect.height() - 12);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(NeighborhoodPickerDialog::kPictureSize + 2);
        return size;
    }
};

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumWidth(90);
    return b;
}

}  // namespace

NeighborhoodPickerDialog::NeighborhoodPickerDialog(const std::vector<Neighborhood>& neighborhoods,
                               const std::string& last, const QColor& background,
                               const QColor& foreground, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmNGBDSelect");
    setWindowTitle("Select Neighborhood");
    QPalette p = palette();
    for (auto role : {QPalette::Window, QPalette::Base}) p.setColor(role, background);
    for (auto role : {QPalette::WindowText, QPalette::Text}) p.setColor(role, foreground);
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    lbNGBDs_ = new QListWidget(this);
    lbNGBDs_->setObjectName("lbNGBDs");
    lbNGBDs_->setItemDelegate(new PickerItemDelegate(lbNGBDs_));
    lbNGBDs_->setUniformItemSizes(true);
    lbNGBDs_->setPalette(p);
    QFont font("Trebuchet MS", 10);
    lbNGBDs_->setFont(font);
    lbNGBDs_->setMinimumSize(420, 5 * (kPictureSize + 2) + 4);
    int preselect = -1;
    for (std::size_t i = 0; i < neighborhoods.size(); ++i) {
        const Neighborhood& n = neighborhoods[i];
        auto* item =
            new QListWidgetItem(QString::fromStdU16String(NeighborhoodDisplayText(n)), lbNGBDs_);
        item->setData(kPictureRole, PickerPicture(n));
        if (preselect < 0 && !last.empty() && n.FolderName == last) preselect = static_cast<int>(i);
    }
    lbNGBDs_->setCurrentRow(preselect);
    if (preselect < 0) lbNGBDs_->clearSelection();
    layout->addWidget(lbNGBDs_, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* btnPrevious = Button("Previous", "btnPrevious", this);
    QPushButton* btnNext = Button("Next", "btnNext", this);
    QPushButton* btnOkay = Button("OK", "btnOkay", this);
    QPushButton* btnCancel = Button("Cancel", "btnCancel", this);
    buttons->addWidget(btnPrevious);
    buttons->addWidget(btnNext);
    buttons->addStretch(1);
    buttons->addWidget(btnOkay);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    btnOkay->setDefault(true);

    connect(btnPrevious, &QPushButton::clicked, this, &NeighborhoodPickerDialog::SelectPrevious);
    connect(btnNext, &QPushButton::clicked, this, &NeighborhoodPickerDialog::SelectNext);
    connect(btnOkay, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lbNGBDs_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

namespace {
int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}
}  // namespace

int NeighborhoodPickerDialog::ChosenIndex() const {
    const int row = SelectedRow(*lbNGBDs_);
    return row < 0 ? 0 : row;
}

void NeighborhoodPickerDialog::SelectPrevious() {
    const int count = lbNGBDs_->count();
    if (count == 0) return;
    const int row = SelectedRow(*lbNGBDs_);
    lbNGBDs_->setCurrentRow(row <= 0 ? count - 1 : row - 1);
}

void NeighborhoodPickerDialog::SelectNext() {
    const int count = lbNGBDs_->count();
    if (count == 0) return;
    const int row = SelectedRow(*lbNGBDs_);
    lbNGBDs_->setCurrentRow(row < 0 || row >= count - 1 ? 0 : row + 1);
}

}  // namespace kinloom::gui
