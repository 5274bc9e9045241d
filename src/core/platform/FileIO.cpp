#include "core/platform/FileIO.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <new>
#include <set>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "core/platform/WindowsText.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/statfs.h>
#include <sys/utsname.h>
#endif

namespace kinloom {
namespace fs = std::filesystem;

namespace {

// No file the program reads comes near this: a package's offsets are 32 bits.
constexpr std::uintmax_t kLargestFile = 0xFFFFFFFFu;

std::string Describe(const fs::path& p) {
    return p.string();
}

// What a failed write or flush of a new image says.
std::string CannotWrite(const fs::path& target) {
    return "cannot write " + Describe(target) + " (the original is unchanged)";
}

// A name beside target that no file has yet: prefix, target's name, ".kinloom-", a unique
// number and ending.
fs::path UniqueBeside(const fs::path& target, const char* prefix, const std::string& ending) {
    static std::atomic<unsigned> counter{0};
    auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    fs::path dir = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path name = prefix;
        name += target.filename();
        name += ".kinloom-" + std::to_string(stamp % 1000000007ULL) + "-" +
                std::to_string(counter++) + ending;
        fs::path candidate = dir / name;
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) return candidate;
    }
    throw FileError("cannot choose a new file name beside " + Describe(target));
}

fs::path TemporaryBeside(const fs::path& target) {
    return UniqueBeside(target, "", ".tmp");
}

// Hidden (leading dot) and ending in ".old", so no "*.package" search ever lists it as a sim.
fs::path OldCopyBeside(const fs::path& target) {
    return UniqueBeside(target, ".", ".old");
}

std::FILE* OpenForWriting(const fs::path& p) {
#ifdef _WIN32
    return _wfopen(p.c_str(), L"wbx");
#else
    return std::fopen(p.c_str(), "wbx");
#endif
}

bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0;
#endif
}

// A rewritten package keeps the permissions of the file it replaces.
void CopyPermissions(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    auto st = fs::status(from, ec);
    if (!ec && fs::exists(st)) fs::permissions(to, st.permissions(), ec);
}

// Makes the renames in a folder durable. Windows renames with MOVEFILE_WRITE_THROUGH instead.
void SyncDirectory([[maybe_unused]] const fs::path& dir) {
#ifndef _WIN32
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

// The folder a file is in, as a path that can be opened ("." for a bare name).
fs::path FolderOf(const fs::path& file) {
    fs::path folder = file.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

#ifndef _WIN32
// Flushes a written file again by its name; false when it cannot be opened or flushed. A
// write-back error no one has been told of yet is reported to the first flush after any open.
bool FlushFileNamed(const fs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    return (::close(fd) == 0) && flushed;
}
#endif

#ifdef __linux__
// syncfs reports a write-back error of the file system only since Linux 5.8; before, it returned
// success whatever became of the data, and only a flush of each file tells.
bool SyncfsReportsErrors() {
    utsname system{};
    if (::uname(&system) != 0) return false;
    int major = 0, minor = 0;
    if (std::sscanf(system.release, "%d.%d", &major, &minor) != 2) return false;
    return major > 5 || (major == 5 && minor >= 8);
}

// File systems whose syncfs puts the data of every file written on the disk, as fsync of each
// would. Not FUSE (ntfs-3g, where many keep a Windows game's files, and others answer syncfs
// without flushing anything) nor network file systems: their files are flushed one by one.
bool SyncfsFlushesFiles(int folder) {
    struct statfs about {};
    if (::fstatfs(folder, &about) != 0) return false;
    switch (static_cast<unsigned long>(about.f_type)) {
        case 0xEF53UL:      // ext2, ext3, ext4
        case 0x58465342UL:  // XFS
        case 0x9123683EUL:  // Btrfs
        case 0xF2F52010UL:  // F2FS
            return true;
        default:
            return false;
    }
}
#endif

}  // namespace

// The folders a transaction writes into, opened before it writes: syncfs on one of them then
// reports a write-back error of anything written on its file system since, the new files among
// it. One open folder per file system is flushed.
struct AtomicFileWriter::FileSystems {
    // Each folder's open descriptor, or -1 where its files are flushed one by one.
    std::map<fs::path, int> folders;
    std::vector<int> toFlush;  // one descriptor per file system

    explicit FileSystems([[maybe_unused]] std::span<const FileReplacement> files) {
#ifdef __linux__
        if (!SyncfsReportsErrors()) return;
        std::set<dev_t> devices;
        for (const FileReplacement& f : files) {
            const fs::path folder = FolderOf(f.Target);
            if (folders.count(folder)) continue;
            int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct stat about {};
            if (fd >= 0 && (!SyncfsFlushesFiles(fd) || ::fstat(fd, &about) != 0)) {
                ::close(fd);
                fd = -1;
            }
            folders[folder] = fd;
            if (fd >= 0 && devices.insert(about.st_dev).second) toFlush.push_back(fd);
        }
#endif
    }
    ~FileSystems() {
#ifndef _WIN32
        for (const auto& [folder, fd] : folders)
            if (fd >= 0) ::close(fd);
#endif
    }
    FileSystems(const FileSystems&) = delete;
    FileSystems& operator=(const FileSystems&) = delete;

    // Whether a file written into target's folder is left for the flush of its file system.
    bool FlushesLater(const fs::path& target) const {
        auto it = folders.find(FolderOf(target));
        return it != folders.end() && it->second >= 0;
    }

    // Flushes every file system; false when one flush failed.
    bool Flush() const {
#ifdef __linux__
        for (int fd : toFlush)
            if (::syncfs(fd) != 0) return false;
#endif
        return true;
    }
};

namespace {

// Renames from to to, replacing to when replace is set; a failure throws FileError saying what.
void RenameFile(const fs::path& from, const fs::path& to, bool replace, const std::string& what) {
#ifdef _WIN32
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(from.c_str(), to.c_str(), flags))
        throw FileError(what + ": " + SystemErrorText(GetLastError()));
#else
    std::error_code ec;
    if (!replace && fs::exists(to, ec)) throw FileError(what + ": " + Describe(to) + " exists");
    fs::rename(from, to, ec);
    if (ec) throw FileError(what + ": " + ec.message());
#endif
}

}  // namespace

Bytes ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("cannot open " + Describe(path));
    // The size comes from the file system, which knows a folder is none (opened as a file, a
    // folder claims a size no read can give), and is checked before anything is allocated.
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        std::error_code folderError;
        throw FileError("cannot read " + Describe(path) + ": " +
                        (fs::is_directory(path, folderError) ? "it is a folder" : ec.message()));
    }
    if (size > kLargestFile) throw FileError("cannot read " + Describe(path) + ": it is too large");
    Bytes data;
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        throw FileError("cannot read " + Describe(path) + ": not enough memory");
    }
    // The stream turns a failing read into its bad state, never an exception. The byte after the
    // last must be the end: a file listed as plain that will not be read (what a package held open
    // by the game looks like) fails there rather than pass for an empty one.
    if (!data.empty() &&
        !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size())))
        throw FileError("cannot read " + Describe(path));
    if (in.peek() != std::ifstream::traits_type::eof() || in.bad())
        throw FileError("cannot read " + Describe(path));
    return data;
}

std::size_t AtomicFileWriter::WriteChunk(std::FILE* file, ByteView chunk) {
    return std::fwrite(chunk.data(), 1, chunk.size(), file);
}

void AtomicFileWriter::Commit(const fs::path& temporary, const fs::path& target) {
#ifdef _WIN32
    // A new file is moved into place. An existing one is replaced with ReplaceFileW, which keeps
    // the file's attributes and security and refuses, changing nothing, while another program has
    // the file open. The original is kept under a hidden name until the new file is in place, so
    // that no failure of the call can leave the target missing.
    std::error_code ec;
    // ReplaceFileW would put a file where a folder was (and the folder aside).
    if (fs::is_directory(target, ec))
        throw FileError("cannot replace " + Describe(target) + ": it is a folder");
    if (!fs::exists(target, ec) && !ec) {
        if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            throw FileError("cannot create " + Describe(target) + ": " +
                            SystemErrorText(GetLastError()));
        return;
    }
    const fs::path original = OldCopyBeside(target);
    if (ReplaceFileW(target.c_str(), temporary.c_str(), original.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        // A copy that cannot be deleted only takes room: hidden, and never "*.package".
        DeleteFileW(original.c_str());
        return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
        !MoveFileExW(original.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        throw FileError("cannot replace " + Describe(target) + ": " + SystemErrorText(error) +
                        "; the original is now " + Describe(original));
    throw FileError("cannot replace " + Describe(target) + ": " + SystemErrorText(error));
#else
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) throw FileError("cannot replace " + Describe(target) + ": " + ec.message());
#endif
}

std::optional<std::size_t> AtomicFileWriter::FlushWritten(
    [[maybe_unused]] std::span<const fs::path> temporaries) {
    if (!fileSystems_) return std::nullopt;  // every file was flushed as it was written
    // A file system whose flush failed may only hold another program's failed write: each file
    // of the transaction is then asked on its own.
    if (fileSystems_->Flush()) return std::nullopt;
#ifndef _WIN32
    for (std::size_t i = 0; i < temporaries.size(); ++i)
        if (fileSystems_->FlushesLater(temporaries[i]) && !FlushFileNamed(temporaries[i])) return i;
#endif
    return std::nullopt;
}

void AtomicFileWriter::MoveAside(const fs::path& original, const fs::path& oldCopy) {
    RenameFile(original, oldCopy, false,
               "cannot move " + Describe(original) + " aside to " + Describe(oldCopy));
}

void AtomicFileWriter::PutBack(const fs::path& oldCopy, const fs::path& target) {
    RenameFile(oldCopy, target, true,
               "cannot put " + Describe(oldCopy) + " back as " + Describe(target));
}

void AtomicFileWriter::RemoveFile(const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
    if (ec) throw FileError("cannot delete " + Describe(file) + ": " + ec.message());
}

fs::path AtomicFileWriter::WriteTemporary(const fs::path& target, ByteView image, bool flushLater) {
    const fs::path temporary = TemporaryBeside(target);
    std::FILE* f = OpenForWriting(temporary);
    if (!f) throw FileError("cannot create a temporary file beside " + Describe(target));

    bool ok = true;
    constexpr std::size_t kChunk = 1 << 20;
    for (std::size_t done = 0; ok && done < image.size();) {
        ByteView chunk = image.subspan(done, std::min(kChunk, image.size() - done));
        std::size_t written = WriteChunk(f, chunk);
        ok = written == chunk.size();
        done += written;
    }
    ok = ok && (flushLater ? std::fflush(f) == 0 : FlushToDisk(f));
    ok = (std::fclose(f) == 0) && ok;

    std::error_code ec;
    if (!ok) {
        fs::remove(temporary, ec);
        throw FileError(CannotWrite(target));
    }
    CopyPermissions(target, temporary);
    return temporary;
}

void AtomicFileWriter::Replace(const fs::path& target, ByteView image) {
    const fs::path temporary = WriteTemporary(target, image);
    std::error_code ec;
    try {
        Commit(temporary, target);
    } catch (...) {
        fs::remove(temporary, ec);
        throw;
    }
    SyncDirectory(FolderOf(target));
}

TransactionOutcome AtomicFileWriter::ReplaceTogether(std::span<const FileReplacement> files) {
    TransactionOutcome outcome;
    std::error_code ec;

    // Every new image is on disk beside its target before any target is touched: all are written,
    // then flushed together (a thousand flushes, one after another, take seconds on a busy disk).
    fileSystems_ = std::make_shared<FileSystems>(files);
    struct Forget {  // the folders are this transaction's only
        std::shared_ptr<FileSystems>& held;
        ~Forget() { held.reset(); }
    } forget{fileSystems_};
    std::vector<fs::path> temporaries;
    temporaries.reserve(files.size());
    auto removeTemporaries = [&] {
        for (const fs::path& t : temporaries) fs::remove(t, ec);
    };
    for (const FileReplacement& f : files) {
        try {
            temporaries.push_back(
                WriteTemporary(f.Target, f.Image, fileSystems_->FlushesLater(f.Target)));
        } catch (const std::exception& e) {
            removeTemporaries();
            outcome.FailedFile = f.Target;
            outcome.Error = e.what();
            return outcome;
        }
    }
    if (const std::optional<std::size_t> unflushed = FlushWritten(temporaries)) {
        removeTemporaries();
        outcome.FailedFile = files[*unflushed].Target;
        outcome.Error = CannotWrite(outcome.FailedFile);
        return outcome;
    }

    // Each folder is flushed once its renames are made, rather than after each rename.
    std::vector<fs::path> folders;
    for (const FileReplacement& f : files)
        if (std::find(folders.begin(), folders.end(), FolderOf(f.Target)) == folders.end())
            folders.push_back(FolderOf(f.Target));
    auto syncFolders = [&] {
        for (const fs::path& folder : folders) SyncDirectory(folder);
    };

    // How far each file got: its original moved aside (oldCopy set), its new image in place.
    struct Progress {
        fs::path oldCopy;
        bool newInPlace = false;
    };
    std::vector<Progress> done(files.size());
    std::size_t next = 0;
    try {
        for (; next < files.size(); ++next) {
            const fs::path& target = files[next].Target;
            if (fs::exists(target, ec) || ec) {
                fs::path oldCopy = OldCopyBeside(target);
                MoveAside(target, oldCopy);
                done[next].oldCopy = std::move(oldCopy);
            }
            Commit(temporaries[next], target);
            done[next].newInPlace = true;
        }
    } catch (const std::exception& e) {
        outcome.FailedFile = files[next].Target;
        outcome.Error = e.what();
        // Undo, last file first; a file that cannot be put back is reported, the others still are.
        for (std::size_t i = next + 1; i-- > 0;) {
            const fs::path& target = files[i].Target;
            try {
                if (!done[i].oldCopy.empty())
                    PutBack(done[i].oldCopy, target);
                else if (done[i].newInPlace)
                    RemoveFile(target);
            } catch (const std::exception&) {
                outcome.Stranded.push_back({target, done[i].oldCopy});
            }
            if (!done[i].newInPlace) fs::remove(temporaries[i], ec);
        }
        for (std::size_t i = next + 1; i < files.size(); ++i) fs::remove(temporaries[i], ec);
        syncFolders();
        std::reverse(outcome.Stranded.begin(), outcome.Stranded.end());
        return outcome;
    }

    // Every file is in place, and stays there: only now do the originals go.
    syncFolders();
    outcome.Committed = true;
    for (Progress& p : done) {
        if (p.oldCopy.empty()) continue;
        try {
            RemoveFile(p.oldCopy);
        } catch (const std::exception&) {
            outcome.OldCopiesLeft.push_back(p.oldCopy);
        }
    }
    return outcome;
}

void ReplaceFileAtomically(const fs::path& target, ByteView image) {
    AtomicFileWriter writer;
    writer.Replace(target, image);
}

}  // namespace kinloom
