#pragma once
// Whole-file reading and atomic replacement. A file is never patched on disk: its new image is
// written to a temporary file in the same folder, flushed, and renamed over the original, so any
// failure leaves the original byte for byte as it was. Several files replaced together (a save)
// go through one transaction: either every file takes its new image or none does.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/platform/Bytes.h"

namespace kinloom {

// An operating-system failure opening, reading, writing or renaming a file.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole file into memory; throws FileError (and nothing else) when it cannot be opened or
// read, is no plain file (a folder, say) or is larger than 4 GiB.
Bytes ReadWholeFile(const std::filesystem::path& path);

// One file of a transaction and the image it takes.
struct FileReplacement {
    std::filesystem::path Target;
    ByteView Image;
};

// A file a failed transaction could not put back, and where its original is now (OldCopy is
// empty when the file did not exist before).
struct StrandedFile {
    std::filesystem::path Target;
    std::filesystem::path OldCopy;
};

struct TransactionOutcome {
    bool Committed = false;
    std::filesystem::path FailedFile;  // the file whose step failed, when one did
    std::string Error;                 // what failed
    // Only when putting back failed as well: the files left changed (any other file is as it was).
    std::vector<StrandedFile> Stranded;
    // After a commit: old copies that could not be deleted. Every new image is in place; these
    // hidden files only take room.
    std::vector<std::filesystem::path> OldCopiesLeft;
};

// Replaces files atomically. The virtual steps exist so tests can make a step fail.
class AtomicFileWriter {
public:
    virtual ~AtomicFileWriter() = default;

    // Writes image over target (which need not exist yet). Throws FileError on any failure; the
    // target is then unchanged and no temporary file is left behind.
    void Replace(const std::filesystem::path& target, ByteView image);

    // Replaces every target together. All images are written to temporary files first and put on
    // the disk (FlushWritten); then each original is moved to a hidden old copy beside it and its
    // new image takes its place; the folders are flushed, and the old copies are deleted only once
    // the last file is in place. A failure puts every replaced file back (in reverse order), so
    // the files are either all new or all as they were, unless putting back fails as well (the
    // outcome then lists the files left changed).
    // An old copy is named after its target with a leading dot and a suffix, so it is hidden and
    // never matches "*.package".
    TransactionOutcome ReplaceTogether(std::span<const FileReplacement> files);

protected:
    // Writes one chunk to the open temporary file; returns how many bytes were written.
    virtual std::size_t WriteChunk(std::FILE* file, ByteView chunk);
    // Moves the finished temporary file over the target. On Linux the folder is flushed by the
    // caller, once for all the renames it makes there.
    virtual void Commit(const std::filesystem::path& temporary,
                        const std::filesystem::path& target);
    // Puts a transaction's written temporary files (in the order of its files) on the disk before
    // any target is touched; returns the position of one that could not be, nothing when all
    // were. On Linux one flush of each file system holding them (syncfs) stands for a flush of
    // each file; where that cannot serve, each file is flushed. Elsewhere each file was flushed as
    // it was written.
    virtual std::optional<std::size_t> FlushWritten(
        std::span<const std::filesystem::path> temporaries);
    // Transaction steps; each throws FileError when it fails.
    // Renames an original to its (not yet existing) old copy.
    virtual void MoveAside(const std::filesystem::path& original,
                           const std::filesystem::path& oldCopy);
    // Renames an old copy back over its target, undoing a replacement.
    virtual void PutBack(const std::filesystem::path& oldCopy, const std::filesystem::path& target);
    // Deletes a file: an old copy after the commit, or a new file that had no original.
    virtual void RemoveFile(const std::filesystem::path& file);

private:
    struct FileSystems;

    // Writes image to a new temporary file beside target with target's permissions; flushed to
    // the disk unless flushLater (FlushWritten then does it).
    std::filesystem::path WriteTemporary(const std::filesystem::path& target, ByteView image,
                                         bool flushLater = false);

    // While ReplaceTogether runs (Linux): the file systems of the folders it writes into.
    std::shared_ptr<FileSystems> fileSystems_;
};

// Atomic replacement with the default writer.
void ReplaceFileAtomically(const std::filesystem::path& target, ByteView image);

}  // namespace kinloom
