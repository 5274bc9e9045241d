#include "packages/Compression.h"

#include <algorithm>
#include <cstring>

#include "platform/FileIO.h"
#include "platform/Messages.h"

namespace kinloom {

namespace {

constexpr std::size_t kCompressedHeader = 9;

std::uint32_t AnnouncedSize(ByteView stored) {
    return (static_cast<std::uint32_t>(stored[6]) << 16) |
           (static_cast<std::uint32_t>(stored[7]) << 8) | stored[8];
}

[[noreturn]] void BadReference(std::size_t distance, std::size_t produced) {
    throw ReadError("a back-reference reaches " + std::to_string(distance) +
                    " bytes back with only " + std::to_string(produced) + " produced");
}

}  // namespace

bool IsCompressedEntry(ByteView stored) {
    // An entry too short for the 9-byte header cannot be compressed.
    if (stored.size() < kCompressedHeader) return false;
    if (stored[4] != 0x10 || stored[5] != 0xFB) return false;
    return AnnouncedSize(stored) != stored.size();
}

bool DecodeRefPack(ByteView stored, Bytes& destination) {
    ByteReader in(stored);
    in.seek(6);
    const std::size_t expected = in.u24be();

    // The output never legitimately grows past the announced size, so it is sized once (with a
    // little slack for word-sized copies) and filled in place; a stream that would overrun it is
    // a size mismatch.
    constexpr std::size_t kSlack = 8;
    const std::size_t base = destination.size();
    destination.resize(base + expected + kSlack);
    std::uint8_t* const out = destination.data() + base;
    std::size_t pos = 0;
    bool overrun = false;

    // Literal bytes straight from the input (bounded by the reader).
    auto literal = [&](std::size_t count) {
        ByteView src = in.bytes(count);
        if (count > expected - pos) {
            overrun = true;
            return;
        }
        if (count <= 3) {
            for (std::size_t i = 0; i < count; ++i) out[pos + i] = src[i];
        } else {
            std::memcpy(out + pos, src.data(), count);
        }
        pos += count;
    };
    // A copy from the output produced so far.
    auto backReference = [&](std::size_t distance, std::size_t length) {
        if (distance > pos) BadReference(distance, pos);
        if (length > expected - pos) {
            overrun = true;
            return;
        }
        std::uint8_t* dst = out + pos;
        const std::uint8_t* src = dst - distance;
        if (distance >= 8) {
            // Eight bytes at a time: with the source at least eight bytes back, every chunk reads
            // only bytes already in place, so this equals the byte-by-byte copy. The last chunk
            // may spill into the slack or into bytes the next code overwrites.
            for (std::size_t i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, 8);
        } else if (distance == 1) {
            std::memset(dst, *src, length);
        } else {
            // Short overlapping distance: each byte may be one this copy has just produced.
            for (std::size_t i = 0; i < length; ++i) dst[i] = src[i];
        }
        pos += length;
    };

    while (!in.atEnd() && !overrun) {
        const std::uint8_t b0 = in.u8();
        if (b0 < 0x80) {
            const std::uint8_t b1 = in.u8();
            literal(b0 & 3u);
            if (overrun) break;
            backReference((static_cast<std::size_t>(b0 & 0x60u) << 3) + b1 + 1,
                          ((b0 & 0x1Cu) >> 2) + 3);
        } else if (b0 < 0xC0) {
            ByteView c = in.bytes(2);
            literal(c[0] >> 6);
            if (overrun) break;
            backReference((static_cast<std::size_t>(c[0] & 0x3Fu) << 8) + c[1] + 1,
                          (b0 & 0x3Fu) + 4);
        } else if (b0 < 0xE0) {
            ByteView c = in.bytes(3);
            literal(b0 & 3u);
            if (overrun) break;
            backReference((static_cast<std::size_t>(b0 & 0x10u) << 12) +
                              (static_cast<std::size_t>(c[0]) << 8) + c[1] + 1,
                          (static_cast<std::size_t>(b0 & 0x0Cu) << 6) + c[2] + 5);
        } else if (b0 < 0xFC) {
            literal((static_cast<std::size_t>(b0 & 0x1Fu) << 2) + 4);
        } else if (b0 == 0xFC) {
            // Carries nothing; decoding goes on with the next code.
        } else {
            // Stop code: up to three trailing literal bytes, as far as the input has them.
            literal(std::min<std::size_t>(b0 & 3u, in.remaining()));
            break;
        }
    }

    destination.resize(base + pos);
    return !overrun && pos == expected;
}

bool DecompressEntry(ByteView package, const PackageIndexEntry& entry, Bytes& destination,
                     Messages& messages) {
    ByteView stored = StoredBytes(package, entry);
    if (!IsCompressedEntry(stored)) {
        destination.insert(destination.end(), stored.begin(), stored.end());
        return true;
    }
    if (DecodeRefPack(stored, destination)) return true;
    messages.Show("Decompression Error");
    return false;
}

PackageImage DecompressPackageImage(ByteView package, Messages& messages) {
    EntryList entries;
    ReadIndex(package, entries);
    // The last directory entry is simply dropped; any other one is reported and left out.
    const PackageIndexEntry* lastDirectory = FindLast(entries, types::CompressedDirectory);
    const auto lastDirectoryAt =
        lastDirectory ? static_cast<std::size_t>(lastDirectory - entries.data()) : entries.size();

    std::size_t extraDirectories = 0;
    PackageImage image = RewritePackageImage(package, [&](const PackageIndexEntry& e,
                                                           std::size_t position) {
        if (e.Type == types::CompressedDirectory) {
            if (position != lastDirectoryAt) ++extraDirectories;
            return EntryChoice::Drop();
        }
        Bytes plain;
        // A package is only ever replaced by a complete image: an entry that does not decode
        // to its announced size stops the whole rewrite.
        if (!DecompressEntry(package, e, plain, messages))
            throw DecompressionError("entry " + TypeIdText(e) + " " + TypeIdText(e.Instance) +
                                     " does not decode to its announced size");
        return EntryChoice::Replace(std::move(plain));
    });
    for (std::size_t i = 0; i < extraDirectories; ++i)
        messages.Show("Decompression List Error, Exists");
    return image;
}

void DecompressPackage(const std::filesystem::path& path, Messages& messages,
                       AtomicFileWriter* writer) {
    Bytes original = ReadWholeFile(path);
    PackageImage image = DecompressPackageImage(original, messages);
    AtomicFileWriter defaultWriter;
    (writer ? *writer : defaultWriter).Replace(path, image.Data);
}

}  // namespace kinloom
