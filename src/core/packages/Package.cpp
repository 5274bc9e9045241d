#include "core/packages/Package.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "core/platform/FileIO.h"

namespace kinloom {

IndexLocation LocateIndex(ByteView headerFields) {
    ByteReader r(headerFields);
    IndexLocation where;
    // The game's tools read these as signed 32-bit numbers; the division is signed too.
    where.Count = r.I32();
    where.Offset = r.U32();
    const std::int32_t indexSize = r.I32();
    if (where.Count == 0 || indexSize == 0) return where;
    // Divided in 64 bits: the smallest size over a count of -1 does not fit 32.
    const std::int64_t quotient = std::int64_t{indexSize} / where.Count;
    where.EntrySize =
        quotient < INT32_MIN || quotient > INT32_MAX ? -1 : static_cast<int>(quotient);
    return where;
}

EntryList ParseIndexRecords(ByteView records, const IndexLocation& where,
                            std::uint64_t fileLength) {
    EntryList entries;
    const auto wanted = static_cast<std::size_t>(where.Count);
    // Bound the count by the bytes there are before anything is allocated.
    if (wanted > records.size() / static_cast<std::size_t>(where.EntrySize))
        throw ReadError("the index lists " + std::to_string(wanted) +
                        " entries but runs past the end of the file");
    ByteReader r(records);
    entries.reserve(wanted);
    for (std::size_t i = 0; i < wanted; ++i) {
        PackageIndexEntry e;
        e.Type = r.U32();
        e.Group = r.U32();
        e.Instance = r.U32();
        if (where.EntrySize == 24) e.InstanceHigh = r.U32();
        e.Offset = r.U32();
        e.Size = r.U32();
        // The short form leaves out entries that start at or beyond the end of the file.
        if (where.EntrySize == 20 && e.Offset >= fileLength) continue;
        entries.push_back(e);
    }
    return entries;
}

int ReadIndex(ByteView package, EntryList& entries) {
    entries.clear();
    const IndexLocation where = LocateIndex(ByteReader(package).Slice(kIndexCountField, 12));
    if (where.EntrySize != 20 && where.EntrySize != 24) return where.EntrySize;
    if (where.Count < 0) return where.EntrySize;
    ByteReader r(package);
    r.Seek(where.Offset);
    entries = ParseIndexRecords(r.Take(r.Remaining()), where, package.size());
    return where.EntrySize;
}

std::string TypeIdText(std::uint32_t value) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08X", value);
    return buf;
}

std::string ReadHexText(ByteReader& reader, std::size_t position, std::size_t count, bool asValue) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    reader.Seek(position);
    ByteView bytes = reader.Take(count);
    std::string text;
    text.reserve(count * 2);
    auto put = [&](std::uint8_t b) {
        text.push_back(kHex[b >> 4]);
        text.push_back(kHex[b & 15]);
    };
    if (asValue)
        for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) put(*it);
    else
        for (std::uint8_t b : bytes) put(b);
    return text;
}

bool WriteIfDifferent(Bytes& image, std::uint32_t value, std::size_t position, int width) {
    if (width < 1 || width > 4 || position > image.size() ||
        static_cast<std::size_t>(width) > image.size() - position)
        return false;
    for (int i = 0; i < width; ++i) {
        auto want = static_cast<std::uint8_t>(value >> (8 * i));
        std::uint8_t& have = image[position + static_cast<std::size_t>(i)];
        if (have != want) have = want;
    }
    return true;
}

const PackageIndexEntry* FindFirst(const EntryList& entries, std::uint32_t type) {
    for (const auto& e : entries)
        if (e.Type == type) return &e;
    return nullptr;
}

const PackageIndexEntry* FindLast(const EntryList& entries, std::uint32_t type) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->Type == type) return &*it;
    return nullptr;
}

std::vector<const PackageIndexEntry*> FindAll(const EntryList& entries, std::uint32_t type) {
    std::vector<const PackageIndexEntry*> found;
    for (const auto& e : entries)
        if (e.Type == type) found.push_back(&e);
    return found;
}

ByteView StoredBytes(ByteView package, const PackageIndexEntry& entry) {
    return ByteReader(package).Slice(entry.Offset, entry.Size);
}

Package Package::Open(const std::filesystem::path& path) {
    Package p;
    p.Path = path;
    p.Data = ReadWholeFile(path);
    p.EntrySize = ReadIndex(p.Data, p.Entries);
    return p;
}

namespace {

std::uint32_t ImagePosition(const Bytes& image) {
    if (image.size() > std::numeric_limits<std::uint32_t>::max())
        throw IndexError("the rewritten package would exceed 4 GiB");
    return static_cast<std::uint32_t>(image.size());
}

}  // namespace

void FinishPackageImage(Bytes& image, const EntryList& entries, int entrySize) {
    const std::uint32_t indexOffset = ImagePosition(image);
    WriteIfDifferent(image, indexOffset, kIndexOffsetField, 4);
    image.reserve(image.size() + entries.size() * static_cast<std::size_t>(entrySize));
    for (const auto& e : entries) {
        AppendU32(image, e.Type);
        AppendU32(image, e.Group);
        AppendU32(image, e.Instance);
        if (entrySize == 24) AppendU32(image, e.InstanceHigh);
        AppendU32(image, e.Offset);
        AppendU32(image, e.Size);
    }
    const auto count = static_cast<std::uint32_t>(entries.size());
    WriteIfDifferent(image, count, kIndexCountField, 4);
    WriteIfDifferent(image, count * static_cast<std::uint32_t>(entrySize), kIndexSizeField, 4);
    WriteIfDifferent(image, 0, kHoleCountField, 4);
    WriteIfDifferent(image, 0, kHoleOffsetField, 4);
    WriteIfDifferent(image, 0, kHoleSizeField, 4);
}

PackageImage RewritePackageImage(ByteView package, const EntryPlanner& plan,
                                 const std::vector<AppendedEntry>& appended) {
    EntryList source;
    const int entrySize = ReadIndex(package, source);
    if (entrySize != 20 && entrySize != 24)
        throw IndexError("the package index is not in a form that can be rewritten");

    PackageImage out;
    out.EntrySize = entrySize;
    ByteView header = ByteReader(package).Slice(0, kPackageHeaderSize);
    out.Data.assign(header.begin(), header.end());
    out.Entries.reserve(source.size());

    for (std::size_t i = 0; i < source.size(); ++i) {
        EntryChoice choice = plan ? plan(source[i], i) : EntryChoice::Copy();
        if (choice.What == EntryChoice::Action::Drop) continue;
        PackageIndexEntry e = source[i];
        const std::uint32_t start = ImagePosition(out.Data);
        if (choice.What == EntryChoice::Action::Replace) {
            out.Data.insert(out.Data.end(), choice.Content.begin(), choice.Content.end());
        } else {
            ByteView stored = StoredBytes(package, e);
            out.Data.insert(out.Data.end(), stored.begin(), stored.end());
            if (choice.What == EntryChoice::Action::Patch && choice.Edit)
                choice.Edit(std::span<std::uint8_t>(out.Data).subspan(start));
        }
        e.Offset = start;
        e.Size = ImagePosition(out.Data) - start;
        out.Entries.push_back(e);
    }
    for (const AppendedEntry& extra : appended) {
        PackageIndexEntry e = extra.Entry;
        const std::uint32_t start = ImagePosition(out.Data);
        out.Data.insert(out.Data.end(), extra.Content.begin(), extra.Content.end());
        if (extra.Patch) extra.Patch(std::span<std::uint8_t>(out.Data).subspan(start));
        e.Offset = start;
        e.Size = ImagePosition(out.Data) - start;
        out.Entries.push_back(e);
    }
    // An index of no entries reads back as an index error: such an image is never written.
    if (out.Entries.empty()) throw IndexError("the rewritten package would hold no entries");
    FinishPackageImage(out.Data, out.Entries, entrySize);
    return out;
}

void RewritePackage(const std::filesystem::path& path, const EntryPlanner& plan,
                    AtomicFileWriter* writer) {
    Bytes original = ReadWholeFile(path);
    PackageImage image = RewritePackageImage(original, plan);
    AtomicFileWriter defaultWriter;
    (writer ? *writer : defaultWriter).Replace(path, image.Data);
}

}  // namespace kinloom
