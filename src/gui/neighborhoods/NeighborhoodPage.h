#pragma once
// The Neighborhood page: the loaded neighborhood's name, description, version and picture, and
// the tree of stored backups of every neighborhood. The page only shows and reports edits; the
// neighborhood editor writes them into the record.

#include <QFrame>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "core/maintenance/Backups.h"

class QLabel;
class QMenu;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kinloom::gui {

class NeighborhoodPage : public QFrame {
    Q_OBJECT
public:
    static constexpr int kNameLength = 30;
    static constexpr int kDescriptionLength = 1000;

    explicit NeighborhoodPage(QWidget* parent = nullptr);

    // Fills the controls; call while the page is disabled so that filling is no edit. The
    // picture stays as it was when the file is missing or cannot be read.
    void Fill(const Neighborhood& neighborhood, const std::filesystem::path& picture);
    // Makes the name and description read-only, saying why, when the package could not keep an
    // edit of them; writable again for nullopt.
    void RefuseNameEdits(const std::optional<std::string>& why);
    void ShowBackups(const BackupTree& tree);
    // Shows the picture file in imgNGBD; the previous picture stays when it cannot be shown.
    void ShowPicture(const std::filesystem::path& picture);
    void ClearPicture();
    // The user-data folder the neighborhoods come from, shown beside the "Game Folder..." button.
    void ShowGameFolder(const std::filesystem::path& folder);

    // The tree node an item stands for, as the backup operations take it.
    static BackupNode NodeOf(const QTreeWidgetItem& item);

signals:
    // The user changed the name or the description (only while the page is enabled).
    void NameEdited(const QString& text);
    void DescriptionEdited(const QString& text);

    // The backup buttons and the tree's menus; the editor carries the operations out.
    void BackupRequested();
    void ArchiveLocationRequested();
    void RestoreRequested(const kinloom::BackupNode& node);
    void DeleteRequested(const kinloom::BackupNode& node);
    void ShowPathRequested(const kinloom::BackupNode& node);
    // "Replace Image" of the picture's menu.
    void ReplaceImageRequested();
    // "Game Folder...": open another copy of the game.
    void GameFolderRequested();
    // "Export Sims...": every sim to a CSV or JSON file.
    void ExportSimsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The game folder in the room its label has, cut in the middle when long.
    void ElideGameFolder();
    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to the page's signals and handlers.
    void ConnectControls();
    // What a left click does on a node: the root and the groups open, or close when open.
    void ToggleNode(QTreeWidgetItem* item);
    void OpenTreeMenu(const QPoint& pos);
    void OpenPictureMenu(const QPoint& pos);

    QLabel* lblNGBDVersion_;
    QLabel* lblGameFolder_;
    QString gameFolder_;
    QPushButton* btnGameFolder_;
    QPushButton* btnExportSims_;
    QLabel* imgNGBD_;
    QLineEdit* edtNGBDName_;
    QPlainTextEdit* memNGBDDescription_;
    QTreeWidget* tvNGBD_;
    QPushButton* btnBackup_;
    QPushButton* btnArchiveLoc_;
    bool filling_ = false;
    // The description as the neighborhood holds it, for the form of its line breaks.
    QString storedDescription_;
};

}  // namespace kinloom::gui
