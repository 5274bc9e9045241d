#include "gui/neighborhoods/NeighborhoodPickerDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/pictures/ImageCodecs.h"
#include "core/platform/FileIO.h"
#include "gui/shell/BitmapImage.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/PictureEntryDelegate.h"

namespace kinloom::gui {

namespace {

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

// The dialog's buttons share one width.
constexpr int kButtonWidth = 90;

}  // namespace

NeighborhoodPickerDialog::NeighborhoodPickerDialog(const std::vector<Neighborhood>& neighborhoods,
                                                   const std::string& last,
                                                   const QColor& background,
                                                   const QColor& foreground, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmNGBDSelect");
    setWindowTitle("Select Neighborhood");
    const QPalette p = SchemePalette(palette(), background, foreground);
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    lbNGBDs_ = new QListWidget(this);
    lbNGBDs_->setObjectName("lbNGBDs");
    // Picture one pixel in from the item's corner, text 6 pixels right of it and 12 below the
    // top; a neighborhood without a picture file gets an empty frame, keeping the names in line.
    PictureEntryStyle entries;
    entries.PictureSize = kPictureSize;
    entries.RowHeight = kPictureSize + 2;
    entries.TextLeft = 1 + kPictureSize + 6;
    entries.TextTop = 12;
    entries.FrameMissingPicture = true;
    lbNGBDs_->setItemDelegate(new PictureEntryDelegate(entries, lbNGBDs_));
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
        item->setData(kEntryPictureRole, PickerPicture(n));
        if (preselect < 0 && !last.empty() && n.FolderName == last) preselect = static_cast<int>(i);
    }
    lbNGBDs_->setCurrentRow(preselect);
    if (preselect < 0) lbNGBDs_->clearSelection();
    // Said plainly above the list when the neighborhoods are the invented demo ones.
    lblDemoNotice_ = Warning("lblDemoNotice",
                             "These are invented demo neighborhoods, not your game's. No game "
                             "was opened: edits here change only the demo.",
                             this);
    lblDemoNotice_->hide();
    layout->addWidget(lblDemoNotice_);
    layout->addWidget(lbNGBDs_, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* btnPrevious = Button("btnPrevious", "Previous", this, kButtonWidth);
    QPushButton* btnNext = Button("btnNext", "Next", this, kButtonWidth);
    QPushButton* btnOkay = Button("btnOkay", "OK", this, kButtonWidth);
    QPushButton* btnCancel = Button("btnCancel", "Cancel", this, kButtonWidth);
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

void NeighborhoodPickerDialog::ShowDemoNotice() {
    setWindowTitle("Select Neighborhood (demo neighborhoods)");
    lblDemoNotice_->show();
}

}  // namespace kinloom::gui
