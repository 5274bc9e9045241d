#pragma once
// Builds package files entry by entry for tests: both index forms, compressed entries with their
// directory, hole indexes, and index records that point wherever a test wants.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/packages/Package.h"

namespace kinloom::test {

struct FixtureEntry {
    std::uint32_t type = 0;
    std::uint32_t group = 0;
    std::uint32_t instance = 0;
    std::uint32_t instanceHigh = 0;
    Bytes content;            // plain content
    bool compressed = false;  // stored QFS-compressed (and listed in the directory)
    // Index fields written as given instead of where the content lies (content is then not
    // stored): for entries past the end of the file or overlapping others.
    std::optional<std::uint32_t> offset;
    std::optional<std::uint32_t> size;
};

class PackageBuilder {
public:
    explicit PackageBuilder(int entrySize = 24) : entrySize_(entrySize) {}

    PackageBuilder& add(std::uint32_t type, std::uint32_t instance, Bytes content,
                        std::uint32_t group = 0x7FD46CD0, std::uint32_t instanceHigh = 0);
    PackageBuilder& addCompressed(std::uint32_t type, std::uint32_t instance, Bytes content,
                                  std::uint32_t group = 0x7FD46CD0, std::uint32_t instanceHigh = 0);
    // An index record only, with the offset and size given.
    PackageBuilder& addRecord(std::uint32_t type, std::uint32_t instance, std::uint32_t offset,
                              std::uint32_t size);
    PackageBuilder& add(FixtureEntry entry);

    // Writes a directory of compressed entries (type E86B1EEF) as the last entry; on by default
    // when any entry is compressed.
    PackageBuilder& directory(bool on) {
        directory_ = on;
        return *this;
    }
    // A hole index: non-zero hole fields and a hole record block between entries and index.
    PackageBuilder& hole(bool on) {
        hole_ = on;
        return *this;
    }

    Bytes build() const;
    void write(const std::filesystem::path& path) const;

    const std::vector<FixtureEntry>& entries() const { return entries_; }

private:
    int entrySize_;
    std::vector<FixtureEntry> entries_;
    std::optional<bool> directory_;
    bool hole_ = false;
};

// Small helpers for assembling records.
Bytes Text(const std::string& s);
void SetU32(Bytes& data, std::size_t offset, std::uint32_t value);
std::uint32_t GetU32(const Bytes& data, std::size_t offset);
// Deterministic pseudo-random bytes.
Bytes NoiseBytes(std::size_t count, std::uint32_t seed);

// The plain content of every entry of a type and instance in a package file, in index order.
std::vector<Bytes> StoredContents(const std::filesystem::path& package, std::uint32_t type,
                                  std::uint32_t instance);

// A fresh temporary folder removed when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace kinloom::test
