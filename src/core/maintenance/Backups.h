#pragma once
// Dated copies of whole neighborhood folders in an archive folder: taking them, listing them as
// the Neighborhood page's tree, restoring, deleting and locating them, and moving the archive.
//
// A backup never looks whole before it is: every copy is made into a hidden working folder beside
// its destination, checked against its source, and only then renamed into place. A neighborhood
// is replaced by a restore only after the restored copy is complete, and the replaced folder goes
// to the desktop's trash, from where the player can get it back.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/neighborhoods/NeighborhoodScan.h"

namespace kinloom {

class FileOps;
class Messages;
class Settings;

// A moment in local time, as a backup folder's name records it.
struct BackupTime {
    int Year = 0;
    int Month = 0;  // 1 to 12
    int Day = 0;
    int Hour = 0;  // 0 to 23
    int Minute = 0;
    int Second = 0;
};

using BackupClock = std::function<BackupTime()>;
BackupTime LocalTimeNow();

// "mm-dd-yyyy hhnnss": 14 March 2008 at 15:30:45 is "03-14-2008 153045".
std::string BackupTimeStamp(const BackupTime& time);
// The folder name of a backup: "N001 03-14-2008 153045".
std::string BackupFolderName(const std::string& folderName, const BackupTime& time);

// The first count characters of UTF-8 text: a backup folder's name begins with the folder name of
// the neighborhood it belongs to.
std::string FirstCharacters(const std::string& utf8, std::size_t count);

inline constexpr const char* kArchiveSetting = "ArchiveLoc";
inline constexpr const char* kBackupTreeRoot = "Stored Backups";
inline constexpr const char* kBackupGroupSuffix = " - Neighborhood Backups";
inline constexpr const char* kBackupFailed = "Backup Operation Failed.";
inline constexpr const char* kDeleteFailed = "Delete Operation Failed.";
inline constexpr const char* kBackupMoveFailed = "Backup Move Failed.";
inline constexpr const char* kSelectBackupFirst =
    "You must first select a neighborhood by left clicking on it.";

// The reminder shown when no backup of the loaded neighborhood exists.
std::string BackupNotFoundText(const Neighborhood& loaded);
// keptAs: the name of the backup a restore makes of the folder it replaces.
std::string RestoreQuestionText(const std::filesystem::path& target, const std::string& keptAs);
// The name of that backup: "N001 03-14-2008 153045 (before restore)".
std::string BeforeRestoreName(const std::string& folderName, const BackupTime& time);
inline constexpr const char* kBeforeRestoreFailed =
    "The neighborhood was not restored: a backup of it as it is now could not be made first.";
std::string DeleteQuestionText(const std::filesystem::path& folder);
std::string MoveQuestionText(const std::string& backupName);

// The default archive folder: documents/Quillfern/NGBDs.
std::filesystem::path DefaultArchiveFolder(const std::filesystem::path& documents);
// The folder named by the setting "ArchiveLoc" when it is set and exists; the default otherwise.
std::filesystem::path ResolveArchiveFolder(const Settings& settings,
                                           const std::filesystem::path& documents);

// One node of the stored-backups tree.
struct BackupNode {
    int Level = 0;               // 0 the root, 1 a neighborhood's group, 2 one backup folder
    std::string Text;            // UTF-8, as shown
    std::filesystem::path Path;  // the archive folder; for a backup, its own folder
    std::vector<BackupNode> Children;
};

struct BackupTree {
    BackupNode Root;
    // Child indexes from the root to the node to select and expand (the loaded neighborhood's
    // group); empty when that group was not found and the root stays selected.
    std::vector<std::size_t> Selected;

    bool FoundLoadedGroup() const { return !Selected.empty(); }
};

// Lists the backup folders of archiveFolder: names starting with F, G or N (either case), grouped
// by their first four characters regardless of case, every level sorted by text.
BackupTree ListBackups(const std::filesystem::path& archiveFolder,
                       const std::string& loadedFolderName);

// Files copied so far and files to copy, called as a backup or restore goes on.
using BackupProgress = std::function<void(std::size_t filesDone, std::size_t filesTotal)>;

// The window's folder picker: opens at the start folder, nullopt when cancelled.
using FolderChooser =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& start)>;

struct BackupPlaces {
    std::filesystem::path NeighborhoodsFolder;
    std::filesystem::path Documents;  // the user's documents folder, home of the default archive
    int GameLanguage = 1;             // for reading the name of a re-added neighborhood
};

struct BackupOutcome {
    bool Succeeded = false;
    BackupTree Tree;  // rebuilt after the backup, whatever its outcome
};

enum class BackupResult { NotSelected, Cancelled, Failed, Done };

struct RestoreOutcome {
    BackupResult Result = BackupResult::NotSelected;
    // A neighborhood that was not in the list and came back with the restore: add it to the list.
    std::optional<Neighborhood> Added;
    // The restored neighborhood is the loaded one: load it again (unsaved edits are lost).
    bool ReloadLoaded = false;
    // Rebuilt once the backup of the replaced folder was made, which the list now shows.
    std::optional<BackupTree> Tree;
};

struct DeleteOutcome {
    BackupResult Result = BackupResult::NotSelected;
    std::optional<BackupTree> Tree;  // rebuilt unless nothing was selected or the user cancelled
};

class Backups {
public:
    Backups(BackupPlaces places, Settings& settings, Messages& messages, FileOps& files,
            BackupClock clock = LocalTimeNow);

    std::filesystem::path ArchiveFolder() const;
    BackupTree RebuildBackupTree(const std::string& loadedFolderName) const;

    // Copies the neighborhood's folder into a new dated backup folder. A backup of the same
    // neighborhood taken in the same second is replaced (the older one goes to the trash).
    BackupOutcome BackupNeighborhood(const Neighborhood& neighborhood,
                                     const BackupProgress& progress = {});

    // Puts the selected backup back in place of its neighborhood's folder, after asking when that
    // folder exists; the folder replaced is backed up first (BeforeRestoreName), so the restore
    // can itself be taken back, and nothing is replaced when that backup fails. listed: the
    // neighborhood list; loadedFolderName: the loaded neighborhood.
    RestoreOutcome RestoreBackup(const BackupNode* selected,
                                 const std::vector<Neighborhood>& listed,
                                 const std::string& loadedFolderName,
                                 const BackupProgress& progress = {});

    // Moves the selected backup to the trash, after asking.
    DeleteOutcome DeleteBackup(const BackupNode* selected, const Neighborhood& loaded);

    // Shows the archive folder (root or group selected) or the backup's own folder.
    void ShowBackupPath(const BackupNode* selected);

    // Lets the user choose a new archive folder, stores it and offers to move each neighborhood
    // backup of the old one there. Each move is whole or not at all: a failed one leaves the old
    // backup and any same-named one at the new place as they were. False when the user
    // cancelled the picker.
    bool ChangeArchiveLocation(const FolderChooser& chooseFolder);

private:
    std::filesystem::path BackupFolderOf(const BackupNode& node) const;
    bool CopyComplete(const std::filesystem::path& from, const std::filesystem::path& to,
                      const BackupProgress& progress);
    bool MoveBackup(const std::filesystem::path& from, const std::filesystem::path& to);
    // Copies a neighborhood's folder into the archive as a backup named name, whole or not at all.
    bool CopyIntoArchive(const std::filesystem::path& source, const std::string& name,
                         const BackupProgress& progress);

    BackupPlaces places_;
    Settings& settings_;
    Messages& messages_;
    FileOps& files_;
    BackupClock clock_;
};

}  // namespace kinloom
