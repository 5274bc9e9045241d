#pragma once
// Writes a complete, invented user-data folder for the game: three neighborhoods with their
// character packages and pictures, and custom genes in Downloads/. It backs `--demo`, the
// command-line `demo`, the benchmarks and the tests that want whole neighborhoods.

#include <cstdint>
#include <filesystem>
#include <stdexcept>

#include "core/platform/MemoryRegistry.h"

namespace kinloom {

struct DemoOptions {
    int Sims = 0;  // 0: the standard demo; N > 0: N001 holds N generated sims, for benchmarks
    std::uint32_t Seed = 1;
    // Generated sims only: every sim knows every other (one relationship entry per ordered
    // pair, n * (n - 1) in all), the worst case for loading and saving relationships.
    bool EveryPairRelated = false;
};

// The folder cannot be used (not empty and not an earlier demo) or cannot be written.
class DemoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the demo into folder (created when missing). The same options always give the same
// bytes. A folder that already holds anything but an earlier demo is refused, so a player's
// real neighborhoods can never be overwritten by mistake; an earlier demo is replaced whole.
void WriteDemoUserData(const std::filesystem::path& folder, const DemoOptions& options);

// The name of the file that marks a folder as written by WriteDemoUserData.
inline constexpr const char* kDemoMarkerFile = "kinloom-demo.txt";

// The game's registry as a player with every expansion pack and the game in English would have
// it.
MemoryRegistry DemoRegistry();

}  // namespace kinloom
