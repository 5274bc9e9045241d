#include "gui/neighborhoods/NeighborhoodPage.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/editing/EditingModel.h"
#include "core/packages/Utf8.h"
#include "core/pictures/ImageCodecs.h"
#include "core/platform/FileIO.h"
#include "gui/shell/BitmapImage.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/PathText.h"
#include "gui/shell/TextBoxes.h"

namespace kinloom::gui {

namespace {

constexpr int kLevelRole = Qt::UserRole + 1;

void SetNode(QTreeWidgetItem* item, const BackupNode& node) {
    item->setData(0, Qt::UserRole, PathData(node.Path));
    item->setData(0, kLevelRole, node.Level);
}

void AddNodes(QTreeWidgetItem* item, const BackupNode& node) {
    for (const BackupNode& child : node.Children) {
        auto* c = new QTreeWidgetItem(item, {QString::fromStdString(child.Text)});
        SetNode(c, child);
        AddNodes(c, child);
    }
}

}  // namespace

NeighborhoodPage::NeighborhoodPage(QWidget* parent) : QFrame(parent) {
    setObjectName("pnlNeighborhood");
    setFrameShape(QFrame::StyledPanel);
    BuildControls();
    ConnectControls();
}

void NeighborhoodPage::BuildControls() {
    auto* outer = PageColumns(this);

    // Left: the neighborhood itself.
    auto* left = new QVBoxLayout;
    left->setSpacing(kTightSpacing);
    lblNGBDVersion_ = Label("lblNGBDVersion", "Version : ", this);
    left->addWidget(lblNGBDVersion_);
    imgNGBD_ = Label("imgNGBD", QString(), this);
    imgNGBD_->setFixedSize(400, 300);
    imgNGBD_->setAlignment(Qt::AlignCenter);
    imgNGBD_->setFrameShape(QFrame::Box);
    imgNGBD_->setContextMenuPolicy(Qt::CustomContextMenu);  // "Replace Image" hangs here
    left->addWidget(imgNGBD_);
    QLabel* lblNGBDImage =
        Label("lblNGBDImage", "Right Click Neighborhood Image above to Change", this);
    left->addWidget(lblNGBDImage);
    left->addSpacing(8);
    left->addWidget(Label("lblNGBDName", "Neighborhood Name:", this));
    edtNGBDName_ = new QLineEdit(this);
    edtNGBDName_->setObjectName("edtNGBDName");
    LimitTyping(edtNGBDName_, kNameLength);
    edtNGBDName_->setFixedWidth(400);
    left->addWidget(edtNGBDName_);
    left->addWidget(Label("lblNGBDDescription", "Neighborhood Description:", this));
    memNGBDDescription_ = new QPlainTextEdit(this);
    memNGBDDescription_->setObjectName("memNGBDDescription");
    memNGBDDescription_->setFixedWidth(400);
    memNGBDDescription_->setMinimumHeight(90);
    LimitTyping(memNGBDDescription_, kDescriptionLength);
    TabMovesFocus(memNGBDDescription_);
    left->addWidget(memNGBDDescription_, 1);
    outer->addLayout(left);

    // Right: the stored backups.
    auto* right = new QVBoxLayout;
    right->setSpacing(kTightSpacing);
    auto* game = new QHBoxLayout;
    lblGameFolder_ = Label("lblGameFolder", "Game: ", this);
    lblGameFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblGameFolder_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblGameFolder_->installEventFilter(this);
    game->addWidget(lblGameFolder_, 1);
    btnGameFolder_ = Button("btnGameFolder", "Game Folder...", this);
    btnGameFolder_->setToolTip(
        "Open another copy of the game: another user data folder or Wine "
        "prefix");
    game->addWidget(btnGameFolder_);
    btnExportSims_ = Button("btnExportSims", "Export Sims...", this);
    btnExportSims_->setToolTip(
        "Write every sim of this neighborhood to a CSV file for "
        "spreadsheets, or to a JSON file");
    game->addWidget(btnExportSims_);
    right->addLayout(game);
    auto* buttons = new QHBoxLayout;
    btnBackup_ = Button("btnBackup", "Backup Neighborhood", this);
    btnArchiveLoc_ = Button("btnArchiveLoc", "Change Backup Location", this);
    buttons->addWidget(btnBackup_);
    buttons->addWidget(btnArchiveLoc_);
    buttons->addStretch(1);
    right->addLayout(buttons);
    QLabel* hint =
        Wrapped("lblNGBDBackupDesc",
                "Click the Backup Neighborhood button above to create dated backup copies of the "
                "currently selected neighborhood.",
                this);
    right->addWidget(hint);
    tvNGBD_ = new QTreeWidget(this);
    tvNGBD_->setObjectName("tvNGBD");
    tvNGBD_->setAccessibleName("Neighborhood Backups");
    tvNGBD_->setHeaderHidden(true);
    tvNGBD_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvNGBD_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Nodes open by a click on their text; no expand buttons are drawn.
    tvNGBD_->setRootIsDecorated(false);
    tvNGBD_->setIndentation(31);
    tvNGBD_->setExpandsOnDoubleClick(false);
    right->addWidget(tvNGBD_, 1);
    QLabel* select = Wrapped(
        "lblNGBDDesc1", "Left Click to select a Neighborhood backup folder on the right. ", this);
    right->addWidget(select);
    QLabel* more = Wrapped(
        "lblNGBDDesc2",
        "Then Right Click the selected folder for more options. (Restore, Delete, Show Path)",
        this);
    right->addWidget(more);
    outer->addLayout(right, 1);
}

void NeighborhoodPage::ConnectControls() {
    connect(imgNGBD_, &QLabel::customContextMenuRequested, this,
            &NeighborhoodPage::OpenPictureMenu);
    connect(btnGameFolder_, &QPushButton::clicked, this, &NeighborhoodPage::GameFolderRequested);
    connect(btnExportSims_, &QPushButton::clicked, this, &NeighborhoodPage::ExportSimsRequested);
    connect(btnBackup_, &QPushButton::clicked, this, &NeighborhoodPage::BackupRequested);
    connect(btnArchiveLoc_, &QPushButton::clicked, this,
            &NeighborhoodPage::ArchiveLocationRequested);
    connect(tvNGBD_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ToggleNode(item); });
    connect(tvNGBD_, &QTreeWidget::customContextMenuRequested, this,
            &NeighborhoodPage::OpenTreeMenu);

    // textEdited is the user's typing only; the description box reports every change, so
    // filling is fenced off.
    connect(edtNGBDName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (isEnabled()) emit NameEdited(text);
    });
    connect(memNGBDDescription_, &QPlainTextEdit::textChanged, this, [this] {
        if (filling_ || !isEnabled()) return;
        const std::optional<QString> typed = NewTypedText(*memNGBDDescription_);
        if (!typed) return;
        // Line breaks go back in the form the description was stored in.
        emit DescriptionEdited(QString::fromStdU16String(
            WithStoredLineBreaks(storedDescription_.toStdU16String(), typed->toStdU16String())));
    });
}

void NeighborhoodPage::Fill(const Neighborhood& neighborhood,
                            const std::filesystem::path& picture) {
    filling_ = true;
    ShowStoredText(edtNGBDName_, Decoded(neighborhood.NGBDName));
    storedDescription_ = Decoded(neighborhood.NGBDDescription);
    ShowStoredText(memNGBDDescription_, storedDescription_);
    filling_ = false;
    lblNGBDVersion_->setText("Version : " + QString::fromStdString(neighborhood.NGBDVersion));
    ShowPicture(picture);
}

void NeighborhoodPage::RefuseNameEdits(const std::optional<std::string>& why) {
    RefuseTextEdits(edtNGBDName_, why);
    RefuseTextEdits(memNGBDDescription_, why);
}

void NeighborhoodPage::ShowPicture(const std::filesystem::path& picture) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(picture, ec)) {
        try {
            const QImage image = ToQImage(DecodeImage(ReadWholeFile(picture)));
            imgNGBD_->setPixmap(QPixmap::fromImage(
                image.scaled(imgNGBD_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        } catch (const ImageError&) {
        } catch (const FileError&) {
        }
    }
}

void NeighborhoodPage::ShowBackups(const BackupTree& tree) {
    tvNGBD_->clear();
    auto* root = new QTreeWidgetItem(tvNGBD_, {QString::fromStdString(tree.Root.Text)});
    SetNode(root, tree.Root);
    AddNodes(root, tree.Root);
    root->setExpanded(true);
    QTreeWidgetItem* selected = root;
    for (std::size_t i : tree.Selected) {
        if (i >= static_cast<std::size_t>(selected->childCount())) break;
        selected = selected->child(static_cast<int>(i));
    }
    selected->setExpanded(true);
    tvNGBD_->setCurrentItem(selected);
}

void NeighborhoodPage::ClearPicture() {
    imgNGBD_->clear();
}

BackupNode NeighborhoodPage::NodeOf(const QTreeWidgetItem& item) {
    BackupNode node;
    node.Level = item.data(0, kLevelRole).toInt();
    node.Text = item.text(0).toStdString();
    node.Path = PathFromData(item.data(0, Qt::UserRole));
    return node;
}

// The root or a group opens, or closes when open; closing the root closes every group too. A
// backup folder is only selected.
void NeighborhoodPage::ToggleNode(QTreeWidgetItem* item) {
    if (!item->parent()) {
        if (!item->isExpanded()) {
            item->setExpanded(true);
        } else {
            for (int i = 0; i < item->childCount(); ++i) item->child(i)->setExpanded(false);
            item->setExpanded(false);
        }
    } else if (!item->parent()->parent()) {
        item->setExpanded(!item->isExpanded());
    }
}

void NeighborhoodPage::OpenTreeMenu(const QPoint& pos) {
    QTreeWidgetItem* item = tvNGBD_->itemAt(pos);
    if (!item) return;
    tvNGBD_->setCurrentItem(item);
    // The node is taken now: an operation may rebuild the tree and so delete the item.
    const BackupNode node = NodeOf(*item);
    const QPoint at = tvNGBD_->viewport()->mapToGlobal(pos);

    QMenu menu(this);
    if (node.Level == 2) {
        menu.setObjectName("popTreeviewNGBD");
        QAction* restore = MenuItem(&menu, "mNGBDRestore", "Restore");
        QAction* remove = MenuItem(&menu, "mNGBDDelete", "Delete");
        QAction* path = MenuItem(&menu, "mNGBDShowPath", "Show Path");
        QAction* chosen = menu.exec(at);
        if (chosen == restore)
            emit RestoreRequested(node);
        else if (chosen == remove)
            emit DeleteRequested(node);
        else if (chosen == path)
            emit ShowPathRequested(node);
        return;
    }
    menu.setObjectName("popTreeviewExpand");
    QAction* toggle = MenuItem(&menu, "mExpand", item->isExpanded() ? "Collapse" : "Expand");
    QAction* path = MenuItem(&menu, "mnuShowPath", "Show Path");
    QAction* chosen = menu.exec(at);
    if (chosen == toggle) {
        // The menu ran its own event loop; the item may be gone by now.
        if (QTreeWidgetItem* current = tvNGBD_->currentItem(); current == item) ToggleNode(item);
    } else if (chosen == path) {
        emit ShowPathRequested(node);
    }
}

void NeighborhoodPage::OpenPictureMenu(const QPoint& pos) {
    QMenu menu(this);
    menu.setObjectName("popNGBDImage");
    QAction* replace = MenuItem(&menu, "ReplaceImage1", "Replace Image");
    if (menu.exec(imgNGBD_->mapToGlobal(pos)) == replace) emit ReplaceImageRequested();
}

void NeighborhoodPage::ShowGameFolder(const std::filesystem::path& folder) {
    gameFolder_ = PathText(folder);
    lblGameFolder_->setToolTip(gameFolder_);
    ElideGameFolder();
}

void NeighborhoodPage::ElideGameFolder() {
    lblGameFolder_->setText(lblGameFolder_->fontMetrics().elidedText(
        "Game: " + gameFolder_, Qt::ElideMiddle, lblGameFolder_->width()));
}

bool NeighborhoodPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblGameFolder_ && event->type() == QEvent::Resize) ElideGameFolder();
    return QFrame::eventFilter(watched, event);
}

}  // namespace kinloom::gui
