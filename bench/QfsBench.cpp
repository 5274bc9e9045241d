// Decoding speed of compressed entries, in bytes of plain output per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "Qfs.h"
#include "core/packages/Compression.h"
#include "core/platform/Messages.h"

namespace kinloom {
namespace {

// Entries into a reused buffer are of the usual size; a fresh buffer is measured near the largest
// size a compressed entry can announce (16 MiB), where allocating and touching the output weigh
// most.
constexpr std::size_t kSize = 1 << 20;
constexpr std::size_t kFreshSize = 15 << 20;

Bytes TextLike(std::size_t size) {
    static const char* words[] = {
        "the",    "sim",      "family",  "neighborhood", "household",    "garden",
        "career", "school",   "skill",   "cooking",      "relationship", "baby",
        "elder",  "pleasure", "romance", "knowledge",    "popularity"};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < size) {
        s += words[rng() % std::size(words)];
        s += (rng() % 9 == 0) ? ".\n" : " ";
    }
    s.resize(size);
    return Bytes(s.begin(), s.end());
}

// Streams of little-endian 16-bit fields, like sim descriptions one after another.
Bytes Records(std::size_t size) {
    std::mt19937 rng(11);
    Bytes out;
    while (out.size() < size) {
        for (int field = 0; field < 200; ++field) {
            std::uint16_t v = (field % 5 == 0) ? static_cast<std::uint16_t>(rng() % 1000)
                                               : static_cast<std::uint16_t>(field * 3);
            out.push_back(static_cast<std::uint8_t>(v));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    }
    out.resize(size);
    return out;
}

Bytes Incompressible(std::size_t size) {
    std::mt19937 rng(13);
    Bytes out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng() >> 24);
    return out;
}

void Decode(benchmark::State& state, Bytes (*make)(std::size_t)) {
    const Bytes stored = test::QfsCompress(make(kSize));
    const PackageIndexEntry entry{
        types::SimDescription, 0, 0, 0, 0, static_cast<std::uint32_t>(stored.size())};
    SilentMessages messages;
    Bytes out;
    out.reserve(kSize);
    for (auto _ : state) {
        out.clear();
        bool ok = DecompressEntry(stored, entry, out, messages);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kSize));
    state.counters["ratio"] = static_cast<double>(stored.size()) / static_cast<double>(kSize);
}

// Each entry into a new, empty buffer, as loading reads most entries; allocating and releasing
// the output are part of the cost. glibc hands the freed buffer back on the next round; run with
// GLIBC_TUNABLES=glibc.malloc.mmap_threshold=131072 to have every buffer come fresh from the
// system, its pages faulted in while decoding.
void DecodeFresh(benchmark::State& state, Bytes (*make)(std::size_t)) {
    const Bytes stored = test::QfsCompress(make(kFreshSize));
    const PackageIndexEntry entry{
        types::SimDescription, 0, 0, 0, 0, static_cast<std::uint32_t>(stored.size())};
    SilentMessages messages;
    for (auto _ : state) {
        Bytes out;
        bool ok = DecompressEntry(stored, entry, out, messages);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kFreshSize));
    state.counters["ratio"] = static_cast<double>(stored.size()) / static_cast<double>(kFreshSize);
}

BENCHMARK_CAPTURE(Decode, text, TextLike);
BENCHMARK_CAPTURE(Decode, records, Records);
BENCHMARK_CAPTURE(Decode, incompressible, Incompressible);
BENCHMARK_CAPTURE(DecodeFresh, text_15MiB, TextLike);
BENCHMARK_CAPTURE(DecodeFresh, records_15MiB, Records);
BENCHMARK_CAPTURE(DecodeFresh, incompressible_15MiB, Incompressible);

}  // namespace
}  // namespace kinloom
