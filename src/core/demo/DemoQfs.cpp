#include "core/demo/DemoQfs.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kinloom {
namespace {

constexpr std::size_t kMaxDistance = 131072;
constexpr std::size_t kMaxLength = 1028;
constexpr int kChainDepth = 32;

class Encoder {
public:
    explicit Encoder(Bytes& out) : out_(out) {}

    // Emits pending literals in runs of multiples of four (at most 112), leaving 0..3.
    void flushLiterals(ByteView plain, std::size_t& litStart, std::size_t litEnd) {
        while (litEnd - litStart >= 4) {
            std::size_t run = std::min<std::size_t>((litEnd - litStart) & ~std::size_t{3}, 112);
            out_.push_back(static_cast<std::uint8_t>(0xE0 + (run - 4) / 4));
            out_.insert(out_.end(), plain.begin() + static_cast<std::ptrdiff_t>(litStart),
                        plain.begin() + static_cast<std::ptrdiff_t>(litStart + run));
            litStart += run;
        }
    }

    void match(ByteView plain, std::size_t litStart, std::size_t litCount, std::size_t distance,
               std::size_t length) {
        const std::size_t d = distance - 1;
        const auto lit = static_cast<std::uint8_t>(litCount);
        if (length <= 10 && distance <= 1024) {
            out_.push_back(
                static_cast<std::uint8_t>(((d >> 3) & 0x60) | ((length - 3) << 2) | lit));
            out_.push_back(static_cast<std::uint8_t>(d & 0xFF));
        } else if (length <= 67 && distance <= 16384) {
            out_.push_back(static_cast<std::uint8_t>(0x80 | (length - 4)));
            out_.push_back(static_cast<std::uint8_t>((std::size_t{lit} << 6) | (d >> 8)));
            out_.push_back(static_cast<std::uint8_t>(d & 0xFF));
        } else {
            out_.push_back(static_cast<std::uint8_t>(0xC0 | ((d >> 12) & 0x10) |
                                                     (((length - 5) >> 8) << 2) | lit));
            out_.push_back(static_cast<std::uint8_t>((d >> 8) & 0xFF));
            out_.push_back(static_cast<std::uint8_t>(d & 0xFF));
            out_.push_back(static_cast<std::uint8_t>((length - 5) & 0xFF));
        }
        out_.insert(out_.end(), plain.begin() + static_cast<std::ptrdiff_t>(litStart),
                    plain.begin() + static_cast<std::ptrdiff_t>(litStart + litCount));
    }

private:
    Bytes& out_;
};

bool Usable(std::size_t distance, std::size_t length) {
    if (length < 3) return false;
    if (length == 3) return distance <= 1024;
    if (length == 4) return distance <= 16384;
    return distance <= kMaxDistance;
}

}  // namespace

Bytes DemoCompress(ByteView plain) {
    if (plain.size() >= (1u << 24)) throw std::invalid_argument("QFS holds less than 16 MiB");
    Bytes out(9, 0);
    out[4] = 0x10;
    out[5] = 0xFB;
    out[6] = static_cast<std::uint8_t>(plain.size() >> 16);
    out[7] = static_cast<std::uint8_t>(plain.size() >> 8);
    out[8] = static_cast<std::uint8_t>(plain.size());

    constexpr std::size_t kHashSize = 1 << 16;
    std::vector<std::int64_t> head(kHashSize, -1);
    std::vector<std::int64_t> prev(plain.size(), -1);
    auto hash = [&](std::size_t i) {
        const std::uint32_t key = std::uint32_t{plain[i]} << 8 ^ std::uint32_t{plain[i + 1]} << 4 ^
                                  std::uint32_t{plain[i + 2]};
        return (key * 2654435761u >> 16) & (kHashSize - 1);
    };
    auto insert = [&](std::size_t i) {
        if (i + 3 > plain.size()) return;
        auto h = hash(i);
        prev[i] = head[h];
        head[h] = static_cast<std::int64_t>(i);
    };

    Encoder enc(out);
    std::size_t litStart = 0;
    std::size_t i = 0;
    while (i < plain.size()) {
        std::size_t bestLen = 0, bestDist = 0;
        if (i + 3 <= plain.size()) {
            std::int64_t cand = head[hash(i)];
            for (int depth = 0; cand >= 0 && depth < kChainDepth; ++depth) {
                auto c = static_cast<std::size_t>(cand);
                std::size_t dist = i - c;
                if (dist > kMaxDistance) break;
                std::size_t limit = std::min(kMaxLength, plain.size() - i);
                std::size_t len = 0;
                while (len < limit && plain[c + len] == plain[i + len]) ++len;
                if (len > bestLen && Usable(dist, len)) {
                    bestLen = len;
                    bestDist = dist;
                }
                cand = prev[c];
            }
        }
        if (bestLen == 0) {
            insert(i);
            ++i;
            continue;
        }
        enc.flushLiterals(plain, litStart, i);
        enc.match(plain, litStart, i - litStart, bestDist, bestLen);
        for (std::size_t k = 0; k < bestLen; ++k) insert(i + k);
        i += bestLen;
        litStart = i;
    }
    enc.flushLiterals(plain, litStart, plain.size());
    out.push_back(static_cast<std::uint8_t>(0xFC + (plain.size() - litStart)));
    out.insert(out.end(), plain.begin() + static_cast<std::ptrdiff_t>(litStart), plain.end());

    PutU32(out, 0, static_cast<std::uint32_t>(out.size()));
    return out;
}

Bytes DemoStoredCompressed(ByteView plain) {
    Bytes stored = DemoCompress(plain);
    if (stored.size() == plain.size()) {
        stored.insert(stored.begin() + 9, 0xFC);
        PutU32(stored, 0, static_cast<std::uint32_t>(stored.size()));
    }
    return stored;
}

}  // namespace kinloom
