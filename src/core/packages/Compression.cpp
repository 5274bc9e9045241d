#include "core/packages/Compression.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

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

// The fields of one copy code (the 2-, 3- and 4-byte forms).
struct CopyCode {
    std::size_t size;      // code bytes
    std::size_t literal;   // literal bytes that follow the code
    std::size_t distance;  // how far back the copy starts
    std::size_t length;    // bytes copied
};

// What the first byte of a copy code says about the copy; the rest comes from the bytes after
// it: the distance adds ((b1 << 8 | b2) >> farShift) & farMask, the length b3 & lengthMask.
struct CopyForm {
    std::uint32_t distance;
    std::uint16_t farMask;
    std::uint16_t length;
    std::uint8_t farShift;
    std::uint8_t lengthMask;
};

constexpr std::array<CopyForm, 0xE0> kCopyForms = [] {
    std::array<CopyForm, 0xE0> forms{};
    for (unsigned b0 = 0; b0 < 0xE0; ++b0) {
        if (b0 < 0x80)
            forms[b0] = {((b0 & 0x60u) << 3) + 1, 0xFF,
                         static_cast<std::uint16_t>(((b0 & 0x1Cu) >> 2) + 3), 8, 0};
        else if (b0 < 0xC0)
            forms[b0] = {1, 0x3FFF, static_cast<std::uint16_t>((b0 & 0x3Fu) + 4), 0, 0};
        else
            forms[b0] = {((b0 & 0x10u) << 12) + 1, 0xFFFF,
                         static_cast<std::uint16_t>(((b0 & 0x0Cu) << 6) + 5), 0, 0xFF};
    }
    return forms;
}();

// c holds a copy code (first byte below 0xE0) with 4 bytes readable. The three forms follow one
// another in no predictable order, so nothing here branches on the form: a branch would be
// guessed wrong about every other code. Where the next code starts is worked out by arithmetic
// alone (every code waits for it, so it has to be quick); the copy's fields come from a table.
inline CopyCode ReadCopyCode(const std::uint8_t* c) {
    const std::size_t b0 = c[0], b1 = c[1];
    const std::size_t three = 0 - std::size_t{(b0 >> 6) == 2};  // all ones for the 3-byte form
    const CopyForm& f = kCopyForms[b0];
    const std::size_t pair = b1 << 8 | c[2];
    return {2 + (b0 >> 7) + ((b0 >> 6) & (b0 >> 7)), ((b1 >> 6) & three) | ((b0 & 3) & ~three),
            f.distance + (pair >> f.farShift & f.farMask),
            f.length + (std::size_t{c[3]} & f.lengthMask)};
}

// Decodes one compressed entry. Output is produced in a window that stays in the processor's
// cache and is appended to the destination each time it fills, keeping the last 128 KiB (the
// farthest a reference reaches) for the references that follow. The destination only reserves
// its room, so its memory is written once, by the appends, instead of being zeroed first and
// written again.
class RefPackDecoder {
public:
    RefPackDecoder(ByteView stored, Bytes& destination)
        : in_(stored),
          expected_(ReadHeader(in_)),
          destination_(destination),
          windowSize_(std::min(expected_, kHistory + kChunk)),
          window_(std::make_unique_for_overwrite<std::uint8_t[]>(windowSize_ + kSpill)) {
        const std::size_t needed = destination.size() + expected_;
        if (needed > destination.capacity())
            destination.reserve(std::max(needed, 2 * destination.capacity()));
        if (expected_ >= kLargeOutput)
            AdviseLargePages(destination.data() + destination.size(), expected_);
    }

    // Appends the output to the destination; false when it differs from the announced size.
    // Throws ReadError for a code cut short or a reference before the start of the output.
    bool run() {
        while (!in_.AtEnd()) {
            if (in_.Remaining() >= kLookAhead && in_.Data()[in_.Position()] < 0xE0)
                in_.Take(copyCodes(in_.Data().subspan(in_.Position())));
            if (in_.AtEnd()) break;
            const Step step = anyCode();
            if (step == Step::Overrun) {
                flush();
                return false;
            }
            if (step == Step::Stop) break;
        }
        flush();
        return produced_ == expected_;
    }

private:
    enum class Step { Next, Stop, Overrun };

    // The announced size; leaves the reader at the first code.
    static std::size_t ReadHeader(ByteReader& in) {
        in.Seek(6);
        return in.U24Be();
    }

    std::size_t room() const { return expected_ - produced_; }

    // The short way for the bulk of a stream: copy codes one after another while the input holds
    // the look-ahead and the window and the announced size have room for any code's output, so
    // no single step needs its own check. Returns how many input bytes were used (0 if the first
    // code does not qualify; the careful way then takes it).
    std::size_t copyCodes(ByteView input) {
        // Once 128 KiB are out no reference can reach before the start; until then each is checked.
        return produced_ < kHistory ? copyCodes<true>(input) : copyCodes<false>(input);
    }

    template <bool kCheckReach>
    std::size_t copyCodes(ByteView input) {
        const std::size_t inputEnd = input.size() - kLookAhead;
        const std::size_t before = produced_ - used_;  // output already moved out of the window
        if (windowSize_ < kMaxCodeOutput || expected_ - before < kMaxCodeOutput) return 0;
        std::size_t usedEnd =
            std::min(windowSize_ - kMaxCodeOutput, expected_ - before - kMaxCodeOutput);
        if (kCheckReach) usedEnd = std::min(usedEnd, kHistory - before);
        std::uint8_t* const window = window_.get();
        std::size_t at = 0;
        std::size_t used = used_;
        while (at <= inputEnd && used <= usedEnd && input[at] < 0xE0) {
            const std::uint8_t* c = input.data() + at;
            const CopyCode code = ReadCopyCode(c);
            if (kCheckReach && code.distance > before + used + code.literal)
                BadReference(code.distance, before + used + code.literal);
            // At most three literal bytes: one 4-byte move, the rest overwritten by the copy.
            std::memcpy(window + used, c + code.size, 4);
            used += code.literal;
            at += code.size + code.literal;
            copyBack(window + used, code.distance, code.length);
            used += code.length;
        }
        produced_ = before + used;
        used_ = used;
        return at;
    }

    // Any code, every step checked, in the order the bytes are used: the literal bytes must
    // exist and fit, the reference must reach only produced bytes and fit too.
    Step anyCode() {
        const std::uint8_t b0 = in_.U8();
        std::size_t literal = 0, distance = 0, length = 0;
        Step after = Step::Next;
        if (b0 < 0xE0) {
            // The code's other bytes, read one by one so a code cut short is a read error.
            std::uint8_t c[4] = {b0, 0, 0, 0};
            const std::size_t size = b0 < 0x80 ? 2 : b0 < 0xC0 ? 3 : 4;
            for (std::size_t i = 1; i < size; ++i) c[i] = in_.U8();
            const CopyCode code = ReadCopyCode(c);
            literal = code.literal;
            distance = code.distance;
            length = code.length;
        } else if (b0 < 0xFC) {
            literal = (static_cast<std::size_t>(b0 & 0x1Fu) << 2) + 4;
        } else if (b0 == 0xFC) {
            return Step::Next;  // carries nothing; decoding goes on with the next code
        } else {
            // Stop code: up to three trailing literal bytes, as far as the input has them.
            literal = std::min<std::size_t>(b0 & 3u, in_.Remaining());
            after = Step::Stop;
        }
        const std::size_t readable = in_.Remaining();
        ByteView bytes = in_.Take(literal);
        if (literal > room()) return Step::Overrun;
        if (distance > produced_ + literal) BadReference(distance, produced_ + literal);
        if (literal + length > room()) return Step::Overrun;
        makeRoom(literal + length);
        std::uint8_t* dst = window_.get() + used_;
        if (readable >= literal + 15) {
            for (std::size_t i = 0; i < literal; i += 16)
                std::memcpy(dst + i, bytes.data() + i, 16);
        } else if (literal != 0) {
            std::memcpy(dst, bytes.data(), literal);
        }
        advance(literal);
        if (length != 0) backReference(distance, length);
        return after;
    }

    void backReference(std::size_t distance, std::size_t length) {
        copyBack(window_.get() + used_, distance, length);
        advance(length);
    }

    // Repeats length bytes starting distance bytes before dst (1 <= distance, at most 131072,
    // never before the window). The copy means byte by byte: a reference may overlap the bytes
    // it produces. Whole-chunk moves may run up to 31 bytes past the end, into bytes the next
    // code overwrites (or the spill room); every chunk reads only bytes already in place.
    static void copyBack(std::uint8_t* dst, std::size_t distance, std::size_t length) {
        const std::uint8_t* src = dst - distance;
        if (distance >= 16) {
            std::memcpy(dst, src, 16);
            std::memcpy(dst + 16, src + 16, 16);
            for (std::size_t i = 32; i < length; i += 16) std::memcpy(dst + i, src + i, 16);
        } else if (distance >= 8) {
            for (std::size_t i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, 8);
        } else if (distance == 1) {
            const std::uint64_t run = 0x0101010101010101u * *src;
            for (std::size_t i = 0; i < length; i += 8) std::memcpy(dst + i, &run, 8);
        } else {
            for (std::size_t i = 0; i < length; ++i) dst[i] = src[i];
        }
    }

    void advance(std::size_t count) {
        used_ += count;
        produced_ += count;
    }

    // Makes sure count more bytes fit in the window, keeping the history references reach.
    void makeRoom(std::size_t count) {
        if (count <= windowSize_ - used_) return;
        flush();
        const std::size_t keep = std::min(used_, kHistory);
        std::memmove(window_.get(), window_.get() + used_ - keep, keep);
        used_ = pending_ = keep;
    }

    // Appends what the window holds that is not in the destination yet.
    void flush() {
        destination_.insert(destination_.end(), window_.get() + pending_, window_.get() + used_);
        pending_ = used_;
    }

    // Faulting in megabytes of fresh memory one small page at a time costs more than decoding
    // into it; large pages, where the system offers them on request, cut that to a few faults.
    static void AdviseLargePages(std::uint8_t* begin, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        constexpr std::uintptr_t kLargePage = 2u << 20;
        const auto from = reinterpret_cast<std::uintptr_t>(begin);
        const std::uintptr_t first = (from + kLargePage - 1) & ~(kLargePage - 1);
        const std::uintptr_t last = (from + size) & ~(kLargePage - 1);
        if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
        (void)begin;
        (void)size;
#endif
    }

    static constexpr std::size_t kHistory = 131072;  // the farthest reach of a reference
    static constexpr std::size_t kChunk = 512 * 1024;
    // Room past the window's end for whole-chunk moves.
    static constexpr std::size_t kSpill = 32;
    // The most one code produces: three literal bytes and a 1028-byte copy.
    static constexpr std::size_t kMaxCodeOutput = 3 + 1028;
    // Input a copy code on the short way may look at: its 4 bytes and a 4-byte literal move.
    static constexpr std::size_t kLookAhead = 8;
    static constexpr std::size_t kLargeOutput = 4u << 20;

    ByteReader in_;
    const std::size_t expected_;
    Bytes& destination_;
    const std::size_t windowSize_;
    std::unique_ptr<std::uint8_t[]> window_;
    std::size_t used_ = 0;     // bytes of the window holding output
    std::size_t pending_ = 0;  // where the window's bytes not yet appended start
    std::size_t produced_ = 0;
};

}  // namespace

bool IsCompressedEntry(ByteView stored) {
    // An entry too short for the 9-byte header cannot be compressed.
    if (stored.size() < kCompressedHeader) return false;
    if (stored[4] != 0x10 || stored[5] != 0xFB) return false;
    return AnnouncedSize(stored) != stored.size();
}

bool DecodeRefPack(ByteView stored, Bytes& destination) {
    const std::size_t base = destination.size();
    try {
        return RefPackDecoder(stored, destination).run();
    } catch (...) {
        // Nothing partial is left behind for a caller that goes on after the error.
        destination.resize(base);
        throw;
    }
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
    PackageImage image =
        RewritePackageImage(package, [&](const PackageIndexEntry& e, std::size_t position) {
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
