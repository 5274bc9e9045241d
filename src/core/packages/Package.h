#pragma once
// The game's resource container: a 96-byte header, the entries' bytes, and an index saying where
// each entry lies. Packages are read whole into memory; they are written only by rebuilding a
// complete image that then replaces the file atomically.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/packages/ByteReader.h"

namespace kinloom {

class AtomicFileWriter;

// The package's index cannot be used (count or index size 0, or a form that is neither the 20- nor
// the 24-byte one where entries must be rewritten).
class IndexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resource type ids, as little-endian values (equal to comparing their type id text).
namespace types {
inline constexpr std::uint32_t ObjectData = 0x4F424A44;
inline constexpr std::uint32_t Version = 0xEBFEE342;
inline constexpr std::uint32_t SimProperties = 0xAC598EAC;
inline constexpr std::uint32_t TextList = 0x43545353;
inline constexpr std::uint32_t Picture = 0x856DDBAC;
inline constexpr std::uint32_t BodyPresence = 0xCCCEF852;
inline constexpr std::uint32_t SimDescription = 0xAACE2EFB;
inline constexpr std::uint32_t Household = 0x46414D49;
inline constexpr std::uint32_t HouseholdText = 0x53545223;
inline constexpr std::uint32_t FamilyTies = 0x8C870743;
inline constexpr std::uint32_t GeneticsStrings = 0xEBFEE33F;
inline constexpr std::uint32_t Relationship = 0xCC364C2A;
inline constexpr std::uint32_t CompressedDirectory = 0xE86B1EEF;
}  // namespace types

inline constexpr std::size_t kPackageHeaderSize = 96;
inline constexpr std::size_t kIndexCountField = 36;
inline constexpr std::size_t kIndexOffsetField = 40;
inline constexpr std::size_t kIndexSizeField = 44;
inline constexpr std::size_t kHoleCountField = 48;
inline constexpr std::size_t kHoleOffsetField = 52;
inline constexpr std::size_t kHoleSizeField = 56;

struct PackageIndexEntry {
    std::uint32_t Type = 0;
    std::uint32_t Group = 0;
    std::uint32_t Instance = 0;
    std::uint32_t InstanceHigh = 0;  // only meaningful in the 24-byte form
    std::uint32_t Offset = 0;
    std::uint32_t Size = 0;

    bool operator==(const PackageIndexEntry&) const = default;
};

using EntryList = std::vector<PackageIndexEntry>;

// Lists the index of a package held in memory into entries (emptied first) and returns the entry
// size: 20 or 24 for the two understood forms, 0 for an index error (count or index size 0), any
// other value for a form that lists nothing. Throws ReadError when the header or the index runs
// past the end of the bytes.
int ReadIndex(ByteView package, EntryList& entries);

// Where a package's index lies, from the header fields 36..47 (12 bytes from offset 36).
struct IndexLocation {
    std::int32_t Count = 0;
    std::uint32_t Offset = 0;
    int EntrySize = 0;  // as ReadIndex returns it
};
IndexLocation LocateIndex(ByteView headerFields);

// The index records of a usable location (20- or 24-byte form, Count > 0), read from their
// bytes; short-form records that start at or beyond fileLength are left out.
EntryList ParseIndexRecords(ByteView records, const IndexLocation& where, std::uint64_t fileLength);

// 8 upper-case hex digits of a 4-byte little-endian value ("4F424A44" for object data).
std::string TypeIdText(std::uint32_t value);
inline std::string TypeIdText(const PackageIndexEntry& entry) {
    return TypeIdText(entry.Type);
}

// count bytes from position as two hex digits each; with asValue the bytes read as one
// little-endian number (last byte first), otherwise in file order. Leaves reader after them.
std::string ReadHexText(ByteReader& reader, std::size_t position, std::size_t count, bool asValue);

// Stores the low width (1..4) bytes of value at position unless they are already there; returns
// whether the bytes now hold the value. Never throws: a range outside the image gives false.
bool WriteIfDifferent(Bytes& image, std::uint32_t value, std::size_t position, int width);

// Linear lookups in index order.
const PackageIndexEntry* FindFirst(const EntryList& entries, std::uint32_t type);
const PackageIndexEntry* FindLast(const EntryList& entries, std::uint32_t type);
std::vector<const PackageIndexEntry*> FindAll(const EntryList& entries, std::uint32_t type);

// The stored bytes of an entry (not decompressed); throws ReadError when they run past the end.
ByteView StoredBytes(ByteView package, const PackageIndexEntry& entry);

// A package file read into memory with its index listed.
struct Package {
    std::filesystem::path Path;
    Bytes Data;
    EntryList Entries;
    int EntrySize = 0;

    // Reads and lists the file. Throws FileError (cannot read) or ReadError (index past the end);
    // an entry size of 0 is returned as is: whether that is an error is the caller's rule.
    static Package Open(const std::filesystem::path& path);
    ByteView View() const { return Data; }
};

// What a package rewrite does with one listed entry.
struct EntryChoice {
    enum class Action { Copy, Drop, Replace, Patch };
    Action What = Action::Copy;
    kinloom::Bytes Content;                             // Replace: the new content
    std::function<void(std::span<std::uint8_t>)> Edit;  // Patch: edits the copied bytes in place

    static EntryChoice Copy() { return {}; }
    static EntryChoice Drop() { return {Action::Drop, {}, {}}; }
    static EntryChoice Replace(kinloom::Bytes bytes) {
        return {Action::Replace, std::move(bytes), {}};
    }
    static EntryChoice Patch(std::function<void(std::span<std::uint8_t>)> fn) {
        return {Action::Patch, {}, std::move(fn)};
    }
};

// Decides, per listed entry (with its position in the list), what the rewrite does with it.
using EntryPlanner = std::function<EntryChoice(const PackageIndexEntry&, std::size_t)>;

// An entry added after the listed ones (a body taken from another package): its index record
// keeps type, group and instances; offset and size are set where it lands in the image.
struct AppendedEntry {
    PackageIndexEntry Entry;
    kinloom::Bytes Content;
    std::function<void(std::span<std::uint8_t>)> Patch;  // optional, on the appended bytes
};

struct PackageImage {
    kinloom::Bytes Data;
    EntryList Entries;  // as written into the new index
    int EntrySize = 0;
};

// Builds the rewritten image of a package held in memory: the 96-byte header, every kept entry
// back to back in index order, then the index in the source's form; hole index fields zeroed.
// Throws IndexError when the index is not in the 20- or 24-byte form or nothing would be left in it
// (either way the result could not be read back) and ReadError when the header or an entry runs
// past the end.
PackageImage RewritePackageImage(ByteView package, const EntryPlanner& plan,
                                 const std::vector<AppendedEntry>& appended = {});

// Finishes an image from a header and entries already laid out after it: writes field 40, the
// index records, and fields 36, 44 and 48 to 56. Shared by every kind of package rewrite.
void FinishPackageImage(kinloom::Bytes& image, const EntryList& entries, int entrySize);

// Reads the file, builds its rewritten image and replaces the file atomically.
void RewritePackage(const std::filesystem::path& path, const EntryPlanner& plan,
                    AtomicFileWriter* writer = nullptr);

}  // namespace kinloom
