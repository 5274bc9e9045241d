// Decoding speed of compressed entries, in bytes of plain output per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "Qfs.h"
#include "packages/Compression.h"
#include "platform/Messages.h"

namespace kinloom {
namespace {

constexpr std::size_t kSize = 1 << 20;

Bytes TextLike() {
    static const char* words[] = {"the", "sim", "family", "neighborhood", "household", "garden",
                                  "career", "school", "skill", "cooking", "relationship", "baby",
                                  "elder", "pleasure", "romance", "knowledge", "popularity"};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < kSize) {
        s += words[rng() % std::size(words)];
        s += (rng() % 9 == 0) ? ".\n" : " ";
    }
    s.resize(kSize);
    return Bytes(s.begin(), s.end());
}

// Streams of little-endian 16-bit fields, like sim descriptions one after another.
Bytes Records() {
    std::mt19937 rng(11);
    Bytes out;
    while (out.size() < kSize) {
        for (int field = 0; field < 200; ++field) {
            std::uint16_t v = (field % 5 == 0) ? static_cast<std::uint16_t>(rng() % 1000)
                                               : static_cast<std::uint16_t>(field * 3);
            out.push_back(static_cast<std::uint8_t>(v));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    }
    out.resize(kSize);
    return out;
}

Bytes Incompressible() {
    std::mt19937 rng(13);
    Bytes out(kSize);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng() >> 24);
    return out;
}

void Decode(benchmark::State& state, Bytes (*make)()) {
    const Bytes stored = test::QfsCompress(make());
    const PackageIndexEntry entry{types::SimDescription, 0, 0, 0, 0,
                                  static_cast<std::uint32_t>(stored.size())};
    SilentMessages messages;
    Bytes out;
    out.reserve(kSize);
    for (auto _ : state) {
        out.clear();
        bool ok = DecompressEntry(stored, entry, out, messages);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kSize));
    state.counters["ratio"] = static_cast<double>(stored.size()) / static_cast<double>(kSize);
}

BENCHMARK_CAPTURE(Decode, text, TextLike);
BENCHMARK_CAPTURE(Decode, records, Records);
BENCHMARK_CAPTURE(Decode, incompressible, Incompressible);

}  // namespace
}  // namespace kinloom
