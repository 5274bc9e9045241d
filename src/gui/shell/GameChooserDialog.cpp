#include "gui/shell/GameChooserDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/platform/Dialogs.h"
#include "gui/shell/PathText.h"

namespace kinloom::gui {

namespace {

QString Text(const std::filesystem::path& p) {
    return PathText(p);
}

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

GameChooserDialog::GameChooserDialog(const std::vector<GameCopy>& copies, Dialogs& dialogs,
                                     Purpose purpose,
                                     const std::optional<std::filesystem::path>& current,
                                     QWidget* parent)
    : QDialog(parent), copies_(copies), dialogs_(dialogs) {
    setObjectName("dlgChooseGame");
    setWindowTitle("Choose the Game");
    auto* column = new QVBoxLayout(this);

    QString intro;
    if (copies.empty())
        intro =
            "No copy of The Sims 2 was found. Choose its user data folder or the Wine prefix "
            "it is installed in.";
    else if (purpose == Purpose::Startup)
        intro = "Several copies of The Sims 2 were found. Choose the one to open:";
    else
        intro = "Choose the copy of The Sims 2 to open:";
    auto* lblIntro = new QLabel(intro, this);
    lblIntro->setObjectName("lblChooseGame");
    lblIntro->setWordWrap(true);
    column->addWidget(lblIntro);

    lstGameCopies_ = new QTreeWidget(this);
    lstGameCopies_->setObjectName("lstGameCopies");
    lstGameCopies_->setAccessibleName("Copies of the game");
    lstGameCopies_->setRootIsDecorated(false);
    lstGameCopies_->setAllColumnsShowFocus(true);
    lstGameCopies_->setHeaderLabels(
        {"Edition", "Launcher", "Neighborhoods", "User Data Folder", "Wine Prefix"});
    lstGameCopies_->setColumnCount(5);
    lstGameCopies_->header()->setAccessibleName("Columns of the copies");
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const GameCopy& copy = copies[i];
        auto* item = new QTreeWidgetItem(lstGameCopies_);
        QString edition = QString::fromStdString(copy.Edition);
        const bool open = current && SameFolder(*current, copy.UserDataFolder);
        if (open) edition += " (open now)";
        item->setText(0, edition);
        item->setText(1, QString::fromStdString(copy.Launcher.empty() ? "-" : copy.Launcher));
        item->setText(2, QString::number(copy.NeighborhoodCount));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(3, Text(copy.UserDataFolder));
        item->setText(4, copy.WinePrefix ? Text(*copy.WinePrefix) : QString("-"));
        item->setToolTip(3, item->text(3));
        item->setToolTip(4, item->text(4));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        if (open || (!current && i == 0)) lstGameCopies_->setCurrentItem(item);
    }
    if (!lstGameCopies_->currentItem() && lstGameCopies_->topLevelItemCount() > 0)
        lstGameCopies_->setCurrentItem(lstGameCopies_->topLevelItem(0));
    // Two copies' folders differ near their start (the prefix) while sharing a long end: cut in
    // the middle, so both ends show in a column that fits the dialog; the tooltip has it whole.
    lstGameCopies_->setTextElideMode(Qt::ElideMiddle);
    for (int c = 0; c < 5; ++c) lstGameCopies_->resizeColumnToContents(c);
    // What the dialog's width leaves beside the first three columns: three fifths for the user
    // data folder, the rest for the prefix.
    constexpr int kDialogWidth = 860, kListWidth = kDialogWidth - 60;
    const int room =
        std::max(240, kListWidth - lstGameCopies_->columnWidth(0) - lstGameCopies_->columnWidth(1) -
                          lstGameCopies_->columnWidth(2));
    const int pathWidths[] = {room * 3 / 5, room - room * 3 / 5};  // user data, Wine prefix
    for (int c = 3; c < 5; ++c)
        if (lstGameCopies_->columnWidth(c) > pathWidths[c - 3])
            lstGameCopies_->setColumnWidth(c, pathWidths[c - 3]);
    lstGameCopies_->setVisible(!copies.empty());
    column->addWidget(lstGameCopies_, 1);

    auto* box = new QDialogButtonBox(this);
    btnOpenGame_ = box->addButton("&Open", QDialogButtonBox::AcceptRole);
    btnOpenGame_->setObjectName("btnOpenGame");
    btnOpenGame_->setEnabled(!copies.empty());
    QPushButton* userData =
        box->addButton("Choose the &User Data Folder...", QDialogButtonBox::ActionRole);
    userData->setObjectName("btnChooseUserData");
    QPushButton* prefix = box->addButton("Choose a &Wine Prefix...", QDialogButtonBox::ActionRole);
    prefix->setObjectName("btnChooseWinePrefix");
    QPushButton* cancel = box->addButton(purpose == Purpose::Startup ? "&Quit" : "Cancel",
                                         QDialogButtonBox::RejectRole);
    cancel->setObjectName(purpose == Purpose::Startup ? "btnQuit" : "btnCancelGame");
    column->addWidget(box);
    (copies.empty() ? userData : btnOpenGame_)->setDefault(true);

    connect(btnOpenGame_, &QPushButton::clicked, this, &GameChooserDialog::OpenSelected);
    connect(lstGameCopies_, &QTreeWidget::itemActivated, this, [this] { OpenSelected(); });
    connect(userData, &QPushButton::clicked, this, [this] { ChooseFolder(false); });
    connect(prefix, &QPushButton::clicked, this, [this] { ChooseFolder(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(kDialogWidth, copies.empty() ? 140 : 320);
}

void GameChooserDialog::OpenSelected() {
    const QTreeWidgetItem* item = lstGameCopies_->currentItem();
    if (!item) return;
    const GameCopy& copy = copies_[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())];
    choice_ = GameChoice{copy.UserDataFolder, copy.WinePrefix, false};
    accept();
}

void GameChooserDialog::ChooseFolder(bool prefix) {
    // A cancelled folder dialog leaves this one open as it was.
    const auto folder = dialogs_.ChooseFolder(PathOfText(QDir::homePath()));
    if (!folder) return;
    choice_ = GameChoice{};
    (prefix ? choice_.WinePrefix : choice_.UserData) = *folder;
    accept();
}

}  // namespace kinloom::gui
