#pragma once
// The window's side of one editing session: the neighborhood list of cbNeighborhood, the loaded
// neighborhood with its sim list, the Neighborhood and Households pages, and Save. It owns the
// start-up state and the loaded records; the pages hold pointers into them.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/editing/EditHistory.h"
#include "core/editing/EditingModel.h"
#include "core/editing/LoadedNeighborhood.h"
#include "core/neighborhoods/Discovery.h"
#include "gui/editing/SimList.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kinloom {
class Backups;
struct BackupNode;
class Dialogs;
class FileOps;
class Messages;
class Settings;
}  // namespace kinloom

namespace kinloom::gui {

class EditingPage;
class HouseholdsPage;
class NeighborhoodPage;
class CheckPage;
class SimFinder;
class PicturesLibrary;
class MainWindow;

class NeighborhoodEditor : public QObject {
    Q_OBJECT
public:
    // Whether the game runs now; loading and saving ask before they go on while it does.
    using GameRunningCheck = std::function<bool()>;

    // Without dialogs or file operations the desktop's own are used.
    NeighborhoodEditor(MainWindow& window, Settings& settings, Messages& messages,
                       const PicturesLibrary& pictures, GameRunningCheck gameRunning = {},
                       Dialogs* dialogs = nullptr, FileOps* files = nullptr);
    ~NeighborhoodEditor() override;

    // The start-up state: fills cbNeighborhood with the neighborhoods found.
    void SetStartup(StartupState startup, std::filesystem::path documents);
    const StartupState& Startup() const { return startup_; }

    // Another copy of the game, opened from the window: the loaded neighborhood is dropped (the
    // caller has asked about its edits), the new neighborhoods listed, and the one last used there
    // (else the first) loaded. False when none could be loaded.
    bool OpenGame(StartupState startup, std::filesystem::path documents);
    // What "Game Folder..." on the Neighborhood page does (the start-up code knows how to find
    // and open a game); nothing until set.
    void SetGameFolderAction(std::function<void()> action) {
        gameFolderAction_ = std::move(action);
    }

    // Selects the neighborhood at index of the list (no loading).
    void SelectNeighborhood(int index);
    // Loads the neighborhood selected in cbNeighborhood; false when nothing was loaded.
    bool LoadSelectedNeighborhood();

    LoadedNeighborhood& State() { return state_; }
    bool Loaded() const { return loaded_; }
    Character* SelectedSim() const;

    // The selected sim changed: the current page is filled again for it, and its picture shown.
    void SimSelectionChanged();
    // Makes a listed sim the selected one (a relative reached from the Family Tree, say).
    void SelectSim(Character* sim);
    // The Sort button: the sim list moves to its next label form; the selection stays.
    void SortSims();
    void ShowNeighborhoodPage();
    void ShowHouseholdsPage();
    // Undo and Redo (buttons, Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y): the last edit taken back or done
    // again; the sim it changed is shown. Revert Sim: every unsaved edit of the selected sim.
    void Undo();
    void Redo();
    void RevertSelectedSim();
    const EditHistory& History() const { return history_; }
    // Ctrl+F and Find...: the sim finder, opened below the sim list.
    void OpenSimFinder();
    // The Health Check page: checked when first opened after a load, and on Run Check.
    void ShowCheckPage();
    void RunCheck();
    // "Mend Safe Problems...": says what it will drop, asks (default No), backs the neighborhood
    // up, mends and saves, loads it again and checks again. Refused while edits are unsaved.
    void MendSafeProblems();
    // "Export Sims...": every sim as the window holds it (unsaved edits included) to a CSV or JSON
    // file chosen in a save dialog; an existing file is replaced only after asking.
    void ExportSims();
    // Something was edited: Save is offered (and the title marked) while anything is unsaved.
    void ShowSaveButton();
    // btnSave and Ctrl+S: writes every change; true when saved.
    bool Save();
    // Before a step that drops the loaded neighborhood's edits: with anything unsaved, asks Save /
    // Discard / Cancel. True when the step may go on (nothing unsaved, discarded, or saved).
    bool ConfirmDropEdits();
    // Every page takes (or refuses) what is still being typed into it.
    bool CommitTyping();

    // The Neighborhood page's backup operations and the picture's "Replace Image".
    void BackupSelectedNeighborhood();
    void ChangeBackupLocation();
    void RestoreBackup(const BackupNode& node);
    void DeleteBackup(const BackupNode& node);
    void ShowBackupPath(const BackupNode& node);
    void ReplaceNeighborhoodImage();

    // Applies ckAdvanced to every page it governs. Nothing happens while no sim is listed. (The
    // warning is the click's: shown when the player turns the switch on.)
    void ApplyAdvancedSwitch();
    // Loads the open neighborhood again from disk (after a mend or a restore), the sim selected
    // before still selected when it is there.
    bool ReloadKeepingSim();
    // btnMoveIn: the selected sim joins the household the Households page shows.
    void MoveSelectedSimInto(Household* household);
    // btnDelSim: asks, moves the sim's character package to the trash and drops it from the list.
    void DeleteSelectedSim();

private:
    class Host;

    EditingContext Context();
    bool ConfirmGameClosed();
    void RefreshUnsaved();
    // After a history step moved: the sims' labels, the page and the buttons follow the records.
    void ShowHistoryStep(const std::vector<Character*>& changed);
    void RefreshHistoryButtons();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void AddSimPage(const char* button, EditingPage* page);
    void RelabelSelectedSim();
    void NameEdited(const QString& text);
    void DescriptionEdited(const QString& text);
    void RefreshNeighborhoodItem();
    std::filesystem::path PicturePath() const;
    Backups MakeBackups();
    void ShowFileProgress(std::size_t done, std::size_t total);
    void ResetProgress();

    MainWindow& window_;
    Settings& settings_;
    Messages& messages_;
    const PicturesLibrary& pictures_;
    GameRunningCheck gameRunning_;
    std::unique_ptr<Dialogs> ownDialogs_;
    std::unique_ptr<FileOps> ownFiles_;
    Dialogs& dialogs_;
    FileOps& files_;

    StartupState startup_;
    std::function<void()> gameFolderAction_;
    std::filesystem::path documents_;
    LoadedNeighborhood state_;
    bool loaded_ = false;
    int loadedIndex_ = -1;
    Neighborhood storedRecord_;             // the loaded neighborhood as its package holds it
    std::set<std::string> backupReminded_;  // folder names reminded of a missing backup this run

    QComboBox* cbNeighborhood_;
    QComboBox* cbUserName_;
    QPushButton* btnSave_;
    QCheckBox* ckAdvanced_;
    QLabel* imgChar_;
    QProgressBar* pbLoading_;
    NeighborhoodPage* neighborhoodPage_;
    HouseholdsPage* householdsPage_;
    CheckPage* checkPage_;
    SimFinder* simFinder_;
    std::shared_ptr<const Bitmap> placeholder_;  // the pictures library's "IMGUnknown", once read
    EditHistory history_;
    QPointer<QWidget> lastControl_;  // names the history's steps
    bool checked_ = false;           // the Check page shows the loaded neighborhood's findings
    SimList simList_;
    std::vector<EditingPage*> simPages_;
    TraitRandom traitRandom_;
    std::unique_ptr<Host> host_;  // what the pages ask of the window
};

}  // namespace kinloom::gui
