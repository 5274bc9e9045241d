#pragma once
// GameChooserDialog: the copies of the game found on this machine (edition, launcher, prefix,
// user-data folder, number of neighborhoods), for the player to open one, or to name a user-data
// folder or a Wine prefix of their own. Shown at start-up when several copies are found, and by
// the "Game Folder..." button at any time.

#include <QDialog>
#include <optional>
#include <vector>

#include "core/startup/StartupSource.h"

class QPushButton;
class QTreeWidget;

namespace kinloom {
class Dialogs;
}

namespace kinloom::gui {

class GameChooserDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Startup, Change };

    // current: the user-data folder open now (shown marked and selected), if any.
    GameChooserDialog(const std::vector<GameCopy>& copies, Dialogs& dialogs, Purpose purpose,
                      const std::optional<std::filesystem::path>& current,
                      QWidget* parent = nullptr);

    // After Accepted: the copy opened, or the folder or prefix the player named.
    const GameChoice& Choice() const { return choice_; }

private:
    void OpenSelected();
    void ChooseFolder(bool prefix);

    const std::vector<GameCopy>& copies_;
    Dialogs& dialogs_;
    QTreeWidget* lstGameCopies_;
    QPushButton* btnOpenGame_;
    GameChoice choice_;
};

}  // namespace kinloom::gui
