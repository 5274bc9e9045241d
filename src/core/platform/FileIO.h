#pragma once
// Whole-file reading and atomic replacement. A file is never patched on disk: its new image is
// written to a temporary file in the same folder, flushed, and renamed over the original, so any
// failure leaves the original byte for byte as it was.

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "packages/ByteReader.h"

namespace kinloom {

// An operating-system failure opening, reading, writing or renaming a file.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole file into memory; throws FileError when it cannot be opened or read.
Bytes ReadWholeFile(const std::filesystem::path& path);

// Replaces files atomically. The virtual steps exist so tests can make a write fail part-way.
class AtomicFileWriter {
public:
    virtual ~AtomicFileWriter() = default;

    // Writes image over target (which need not exist yet). Throws FileError on any failure; the
    // target is then unchanged and no temporary file is left behind.
    void Replace(const std::filesystem::path& target, ByteView image);

protected:
    // Writes one chunk to the open temporary file; returns how many bytes were written.
    virtual std::size_t WriteChunk(std::FILE* file, ByteView chunk);
    // Moves the finished temporary file over the target.
    virtual void Commit(const std::filesystem::path& temporary, const std::filesystem::path& target);
};

// Atomic replacement with the default writer.
void ReplaceFileAtomically(const std::filesystem::path& target, ByteView image);

}  // namespace kinloom
