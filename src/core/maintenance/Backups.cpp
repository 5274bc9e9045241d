#include "core/maintenance/Backups.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <system_error>
#include <utility>

#include "core/packages/TextList.h"
#include "core/platform/FileIO.h"
#include "core/platform/FileOps.h"
#include "core/platform/GameRegistry.h"
#include "core/platform/Messages.h"
#include "core/platform/Paths.h"
#include "core/platform/Settings.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPrefixLength = 4;

std::string PathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool EndsWithSeparator(const std::string& text) {
    if (text.empty()) return false;
    const char last = text.back();
    return last == '/' || last == static_cast<char>(fs::path::preferred_separator);
}

// The folder as the setting keeps it: no separator at the end, except for a root folder.
std::string StoredFolderText(fs::path folder) {
    while (folder.has_relative_path() && folder.filename().empty()) folder = folder.parent_path();
    return PathText(folder);
}

// Sorting and grouping are by name regardless of case, as the game's own file system compares.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::string la = LowerAscii(a), lb = LowerAscii(b);
    return la != lb ? la < lb : a < b;
}

char FirstLower(const std::string& name) {
    return name.empty() ? '\0' : LowerAscii(name.substr(0, 1))[0];
}

// Names of the folders directly in folder, sorted; empty when it cannot be read.
std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) names.push_back(Utf8Name(it->path()));
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

void SortTree(BackupNode& node) {
    std::sort(
        node.Children.begin(), node.Children.end(),
        [](const BackupNode& a, const BackupNode& b) { return LessIgnoringCase(a.Text, b.Text); });
    for (BackupNode& child : node.Children) SortTree(child);
}

bool FindNode(const BackupNode& node, const std::string& text, std::vector<std::size_t>& path) {
    for (std::size_t i = 0; i < node.Children.size(); ++i) {
        path.push_back(i);
        if (node.Children[i].Text == text || FindNode(node.Children[i], text, path)) return true;
        path.pop_back();
    }
    return false;
}

// Every file (and link) below root by relative path, with its size; folders with no size.
// nullopt when any part of the tree cannot be read.
using TreeListing = std::map<std::string, std::pair<char, std::uintmax_t>>;

std::optional<TreeListing> ListTree(const fs::path& root) {
    TreeListing listing;
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return std::nullopt;
    fs::recursive_directory_iterator it(root, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const fs::file_status status = it->symlink_status(ec);
        if (ec) return std::nullopt;
        const std::string relative = PathText(it->path().lexically_relative(root));
        if (fs::is_symlink(status)) {
            listing[relative] = {'l', 0};
        } else if (fs::is_directory(status)) {
            listing[relative] = {'d', 0};
        } else {
            const std::uintmax_t size = it->file_size(ec);
            if (ec) return std::nullopt;
            listing[relative] = {'f', size};
        }
    }
    if (ec) return std::nullopt;
    return listing;
}

// True when every file of the listing has the same bytes below both roots.
bool SameFileBytes(const TreeListing& listing, const fs::path& a, const fs::path& b) {
    constexpr std::size_t kChunk = 1 << 16;
    std::vector<char> bufferA(kChunk), bufferB(kChunk);
    for (const auto& [relative, item] : listing) {
        if (item.first != 'f') continue;
        const fs::path name = PathFromUtf8(relative);
        std::ifstream inA(a / name, std::ios::binary), inB(b / name, std::ios::binary);
        if (!inA || !inB) return false;
        while (inA && inB) {
            inA.read(bufferA.data(), static_cast<std::streamsize>(kChunk));
            inB.read(bufferB.data(), static_cast<std::streamsize>(kChunk));
            if (inA.gcount() != inB.gcount() ||
                !std::equal(bufferA.begin(), bufferA.begin() + inA.gcount(), bufferB.begin()))
                return false;
        }
        if (inA.bad() || inB.bad() || !inA.eof() || !inB.eof()) return false;
    }
    return true;
}

std::size_t CountFiles(const TreeListing& listing) {
    return static_cast<std::size_t>(std::count_if(
        listing.begin(), listing.end(), [](const auto& item) { return item.second.first != 'd'; }));
}

// True when inner is outer or lies somewhere below it.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    if (ec) return false;
    const fs::path b = fs::weakly_canonical(outer, ec);
    if (ec) return false;
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty()) continue;  // a trailing separator
        if (ai == a.end() || *ai != *bi) return false;
    }
    return true;
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// A backup folder's name as a single folder of the archive; anything else names no backup.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

}  // namespace

BackupTime LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string BackupTimeStamp(const BackupTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d %02d%02d%02d", time.Month, time.Day, time.Year,
                  time.Hour, time.Minute, time.Second);
    return text;
}

std::string BackupFolderName(const std::string& folderName, const BackupTime& time) {
    return folderName + " " + BackupTimeStamp(time);
}

std::string FirstCharacters(const std::string& utf8, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool lead = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (lead && characters++ == count) return utf8.substr(0, i);
    }
    return utf8;
}

std::string BackupNotFoundText(const Neighborhood& loaded) {
    return "A Backup Copy of " + TrimBytes(loaded.NGBDName) + " was not found." + "\r\n" + "\r\n" +
           "You should use the Backup Neighborhood option prior" + "\r\n" +
           "to making any changes to this Neighborhood.";
}

std::string RestoreQuestionText(const fs::path& target, const std::string& keptAs) {
    return "\"" + PathText(target) + "\"" +
           " will be restored with the Neighborhood backup selected." + "\r\n" +
           "If you continue it will be replaced. A backup of it as it is now is made first, \"" +
           keptAs + "\": restore that one to take this back." + "\r\n";
}

std::string BeforeRestoreName(const std::string& folderName, const BackupTime& time) {
    return BackupFolderName(folderName, time) + " (before restore)";
}

std::string DeleteQuestionText(const fs::path& folder) {
    return "If you continue \"" + PathText(folder) + "\"" + " will be deleted." + "\r\n";
}

std::string MoveQuestionText(const std::string& backupName) {
    return "Would you like to move the Backup \"" + backupName + "\"" +
           " to the new Backup location." + "\r\n";
}

fs::path DefaultArchiveFolder(const fs::path& documents) {
    if (documents.empty()) return {};
    return documents / "Quillfern" / "NGBDs";
}

fs::path ResolveArchiveFolder(const Settings& settings, const fs::path& documents) {
    const std::optional<std::string> stored = settings.ReadText(kArchiveSetting);
    if (stored && !stored->empty()) {
        const fs::path folder = PathFromUtf8(*stored);
        std::error_code ec;
        if (fs::is_directory(folder, ec)) return folder;
    }
    return DefaultArchiveFolder(documents);
}

BackupTree ListBackups(const fs::path& archiveFolder, const std::string& loadedFolderName) {
    BackupTree tree;
    tree.Root.Level = 0;
    tree.Root.Text = kBackupTreeRoot;
    tree.Root.Path = archiveFolder;

    const std::vector<std::string> names = FolderNames(archiveFolder);
    for (char prefix : {'f', 'g', 'n'}) {
        for (const std::string& name : names) {
            if (FirstLower(name) != prefix) continue;
            const std::string groupText = FirstCharacters(name, kPrefixLength) + kBackupGroupSuffix;
            auto group = std::find_if(
                tree.Root.Children.begin(), tree.Root.Children.end(),
                [&](const BackupNode& g) { return LowerAscii(g.Text) == LowerAscii(groupText); });
            if (group == tree.Root.Children.end()) {
                tree.Root.Children.push_back({1, groupText, archiveFolder, {}});
                group = std::prev(tree.Root.Children.end());
            }
            group->Children.push_back({2, name, archiveFolder / PathFromUtf8(name), {}});
        }
    }
    SortTree(tree.Root);

    std::vector<std::size_t> path;
    if (FindNode(tree.Root, loadedFolderName + kBackupGroupSuffix, path))
        tree.Selected = std::move(path);
    return tree;
}

Backups::Backups(BackupPlaces places, Settings& settings, Messages& messages, FileOps& files,
                 BackupClock clock)
    : places_(std::move(places)),
      settings_(settings),
      messages_(messages),
      files_(files),
      clock_(std::move(clock)) {}

fs::path Backups::ArchiveFolder() const {
    return ResolveArchiveFolder(settings_, places_.Documents);
}

BackupTree Backups::RebuildBackupTree(const std::string& loadedFolderName) const {
    return ListBackups(ArchiveFolder(), loadedFolderName);
}

fs::path Backups::BackupFolderOf(const BackupNode& node) const {
    const fs::path archive = ArchiveFolder();
    if (archive.empty() || !IsPlainName(node.Text)) return {};
    return archive / PathFromUtf8(node.Text);
}

// Copies the contents of from into the new folder to and checks that every file arrived whole.
bool Backups::CopyComplete(const fs::path& from, const fs::path& to,
                           const BackupProgress& progress) {
    const std::optional<TreeListing> original = ListTree(from);
    if (!original) return false;
    const std::size_t total = CountFiles(*original);
    std::size_t done = 0;
    if (progress) progress(done, total);
    const bool copied = files_.CopyContentsCounting(from, to, [&] {
        ++done;
        if (progress) progress(std::min(done, total), total);
    });
    if (!copied) return false;
    const std::optional<TreeListing> copy = ListTree(to);
    return copy && *copy == *original && SameFileBytes(*original, from, to);
}

// The backup from becomes the backup to in another archive folder. The copy is built under a
// hidden name beside to and checked before anything is replaced or removed; a backup already
// named to gives way only to a complete copy, and from is deleted last. On failure the old backup
// is as it was and nothing half-made is left where the tree would list it.
bool Backups::MoveBackup(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::equivalent(from, to, ec)) return false;
    const fs::path folder = to.parent_path();
    const std::string name = Utf8Name(to);
    const fs::path work = FreeName(folder, PathFromUtf8("~" + name + " (moving)"));
    if (!CopyComplete(from, work, {})) {
        if (Exists(work)) files_.DeletePermanently(work);
        return false;
    }

    // The backup of the same name steps aside first, so that it can come back if the finished
    // copy cannot take its place.
    fs::path replaced;
    if (Exists(to)) {
        replaced = FreeName(folder, PathFromUtf8("~" + name + " (replaced)"));
        if (!files_.Rename(to, replaced)) {
            files_.DeletePermanently(work);
            return false;
        }
    }
    bool placed = files_.Rename(work, to);
    if (!placed) {
        // A file system that cannot rename folders: the checked copy is moved item by item and
        // checked again in its place.
        const std::optional<TreeListing> original = ListTree(from);
        placed = files_.MoveContents(work, to) && original && ListTree(to) == original &&
                 SameFileBytes(*original, from, to);
        if (!placed && Exists(to)) files_.DeletePermanently(to);
    }
    if (Exists(work)) files_.DeletePermanently(work);
    if (!placed) {
        if (!replaced.empty()) files_.Rename(replaced, to);
        return false;
    }
    if (!replaced.empty()) files_.DeletePermanently(replaced);

    // The old backup is taken out of the tree's sight in one step where possible, so a delete
    // that stops half-way leaves no half backup listed.
    const fs::path gone =
        FreeName(from.parent_path(), PathFromUtf8("~" + Utf8Name(from) + " (moved)"));
    const fs::path removing = files_.Rename(from, gone) ? gone : from;
    return files_.DeletePermanently(removing);
}

BackupOutcome Backups::BackupNeighborhood(const Neighborhood& neighborhood,
                                          const BackupProgress& progress) {
    BackupOutcome outcome;
    const std::string& folderName = neighborhood.FolderName;
    const bool ok = IsPlainName(folderName) &&
                    CopyIntoArchive(ChildIgnoringCase(places_.NeighborhoodsFolder, folderName),
                                    BackupFolderName(folderName, clock_()), progress);
    if (!ok) messages_.Show(kBackupFailed);
    outcome.Succeeded = ok;
    outcome.Tree = RebuildBackupTree(folderName);
    if (!outcome.Tree.FoundLoadedGroup()) messages_.Show(BackupNotFoundText(neighborhood));
    return outcome;
}

bool Backups::CopyIntoArchive(const fs::path& source, const std::string& name,
                              const BackupProgress& progress) {
    const fs::path archive = ArchiveFolder();
    std::error_code ec;
    // An archive inside the neighborhood would be copied into itself without end.
    if (archive.empty() || !fs::is_directory(source, ec) || IsWithin(archive, source)) return false;
    const fs::path destination = archive / PathFromUtf8(name);
    const fs::path work = FreeName(archive, PathFromUtf8("~" + name + " (in progress)"));
    bool ok = CopyComplete(source, work, progress);
    // A backup taken earlier in the same second gives way to this one.
    if (ok && Exists(destination)) ok = files_.DeleteToTrash(destination);
    if (ok) ok = files_.Rename(work, destination);
    // What is left of an unfinished copy is this operation's own, not the player's.
    if (!ok && Exists(work)) files_.DeletePermanently(work);
    return ok;
}

RestoreOutcome Backups::RestoreBackup(const BackupNode* selected,
                                      const std::vector<Neighborhood>& listed,
                                      const std::string& loadedFolderName,
                                      const BackupProgress& progress) {
    RestoreOutcome outcome;
    const fs::path source =
        selected && selected->Level == 2 ? BackupFolderOf(*selected) : fs::path();
    const std::string folderName = selected ? FirstCharacters(selected->Text, kPrefixLength) : "";
    if (source.empty() || !IsPlainName(folderName)) {
        messages_.Show(kSelectBackupFirst);
        return outcome;
    }
    const fs::path target = ChildIgnoringCase(places_.NeighborhoodsFolder, folderName);
    const bool targetExists = Exists(target);
    const std::string keptAs = BeforeRestoreName(Utf8Name(target), clock_());
    if (targetExists && !messages_.AskOkCancel(RestoreQuestionText(target, keptAs))) {
        outcome.Result = BackupResult::Cancelled;
        return outcome;
    }
    // What is replaced is kept first: saved work since the restored backup is not lost with it.
    std::error_code sourceError;
    if (!fs::is_directory(source, sourceError)) {
        messages_.Show(kBackupFailed);
        outcome.Result = BackupResult::Failed;
        return outcome;
    }
    if (targetExists) {
        if (!CopyIntoArchive(target, keptAs, progress)) {
            messages_.Show(kBeforeRestoreFailed);
            outcome.Result = BackupResult::Failed;
            return outcome;
        }
        outcome.Tree = RebuildBackupTree(loadedFolderName);
    }

    // The backup is copied beside the neighborhood first; the neighborhood is touched only once
    // the copy is known to be whole.
    const fs::path work =
        FreeName(places_.NeighborhoodsFolder, PathFromUtf8("~" + folderName + " (restoring)"));
    bool ok = CopyComplete(source, work, progress);
    bool changed = false;
    if (ok && targetExists) {
        ok = files_.DeleteToTrash(target);
        changed = ok;
    }
    if (ok) {
        changed = true;
        // The old folder is in the trash by now; should the one-step rename fail, the copy is put
        // in place item by item instead.
        if (!files_.Rename(work, target)) ok = files_.MoveContents(work, target);
    }
    // An unfinished copy that never reached the neighborhood is removed; one that did keeps
    // whatever could not be moved.
    if (Exists(work) && (ok || !changed)) files_.DeletePermanently(work);
    if (!ok) messages_.Show(kBackupFailed);
    outcome.Result = ok ? BackupResult::Done : BackupResult::Failed;
    if (!changed) return outcome;  // the neighborhood on disk is as it was

    const std::string key = LowerAscii(folderName);
    const bool isListed = std::any_of(listed.begin(), listed.end(), [&](const Neighborhood& n) {
        return LowerAscii(n.FolderName) == key;
    });
    if (!isListed) {
        const fs::path package = ChildIgnoringCase(target, folderName + "_Neighborhood.package");
        std::error_code ec;
        if (fs::is_regular_file(package, ec)) {
            try {
                outcome.Added =
                    ScanNeighborhoodPackage(folderName, package, places_.GameLanguage, messages_);
            } catch (const FileError&) {
                messages_.Show(NeighborhoodIndexErrorText(folderName));
            }
        }
    }
    outcome.ReloadLoaded = LowerAscii(loadedFolderName) == key;
    return outcome;
}

DeleteOutcome Backups::DeleteBackup(const BackupNode* selected, const Neighborhood& loaded) {
    DeleteOutcome outcome;
    const fs::path folder =
        selected && selected->Level == 2 ? BackupFolderOf(*selected) : fs::path();
    if (folder.empty()) {
        messages_.Show(kSelectBackupFirst);
        return outcome;
    }
    const bool exists = Exists(folder);
    if (exists && !messages_.AskOkCancel(DeleteQuestionText(folder))) {
        outcome.Result = BackupResult::Cancelled;
        return outcome;
    }
    outcome.Result = BackupResult::Done;
    if (exists && !files_.DeleteToTrash(folder)) {
        messages_.Show(kDeleteFailed);
        outcome.Result = BackupResult::Failed;
    }
    outcome.Tree = RebuildBackupTree(loaded.FolderName);
    if (!outcome.Tree->FoundLoadedGroup()) messages_.Show(BackupNotFoundText(loaded));
    return outcome;
}

void Backups::ShowBackupPath(const BackupNode* selected) {
    if (!selected) return;
    if (selected->Level == 2) {
        messages_.Show(PathText(BackupFolderOf(*selected)));
        return;
    }
    std::string text = PathText(ArchiveFolder());
    if (!EndsWithSeparator(text)) text += static_cast<char>(fs::path::preferred_separator);
    messages_.Show(text);
}

bool Backups::ChangeArchiveLocation(const FolderChooser& chooseFolder) {
    const std::string stored = settings_.ReadText(kArchiveSetting).value_or("");
    std::string oldLocation = stored;
    std::error_code ec;
    fs::path start;
    if (!stored.empty() && fs::is_directory(PathFromUtf8(stored), ec)) {
        start = PathFromUtf8(stored);
    } else {
        start = places_.Documents;
        const fs::path standard = DefaultArchiveFolder(places_.Documents);
        if (!standard.empty() && fs::is_directory(standard, ec)) {
            start = standard;
            oldLocation = PathText(standard);
        }
    }

    const std::optional<fs::path> chosen = chooseFolder(start);
    if (!chosen) return false;
    const std::string newLocation = chosen->empty() ? std::string() : StoredFolderText(*chosen);
    if (newLocation.empty()) return true;
    settings_.WriteText(kArchiveSetting, newLocation);
    if (oldLocation == newLocation || oldLocation.empty()) return true;

    const fs::path oldFolder = PathFromUtf8(oldLocation);
    const fs::path newFolder = PathFromUtf8(newLocation);
    // The same folder under another spelling: there is nothing to move, and clearing the
    // "destination" would delete the backup itself.
    if (fs::equivalent(oldFolder, newFolder, ec)) return true;

    for (const std::string& name : FolderNames(oldFolder)) {
        if (FirstLower(name) != 'n') continue;
        const fs::path from = oldFolder / PathFromUtf8(name);
        const fs::path package =
            ChildIgnoringCase(from, FirstCharacters(name, kPrefixLength) + "_Neighborhood.package");
        if (!fs::is_regular_file(package, ec)) continue;
        // A backup that holds the new location cannot be moved into it.
        if (IsWithin(newFolder, from)) continue;
        if (!messages_.AskYesNo(MoveQuestionText(name))) continue;

        fs::create_directories(newFolder, ec);
        if (ec || !MoveBackup(from, newFolder / PathFromUtf8(name)))
            messages_.Show(kBackupMoveFailed);
    }
    return true;
}

}  // namespace kinloom
