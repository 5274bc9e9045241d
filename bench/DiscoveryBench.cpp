// Looking for the game in a busy home: a Steam library with many games' prefixes (each with a
// registry of a few megabytes that does not name the game) and one Lutris prefix that holds it.
// The search and the registry check together, as every start without options runs them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/neighborhoods/GameCopies.h"
#include "core/platform/WinePrefixSearch.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// A prefix as Wine lays it out; its registry holds keys keys of filler and, with game, the game.
void MakePrefix(const fs::path& root, int keys, bool game) {
    fs::create_directories(root / "drive_c" / "users" / "steamuser" / "Documents");
    fs::create_directories(root / "dosdevices");
    fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    std::string reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    for (int i = 0; i < keys; ++i) {
        reg += "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(1000000 + i) +
               "-0000-0000-C000-000000000046}] 1670000000\n#time=1d9\n@=\"Some component\"\n"
               "\"ThreadingModel\"=\"Both\"\n\n";
    }
    if (game)
        reg +=
            "[Software\\\\Wow6432Node\\\\EA GAMES\\\\The Sims 2] 1670000000\n"
            "\"DisplayName\"=\"The Sims 2\"\n\n";
    WriteFile(root / "system.reg", reg);
    WriteFile(root / "user.reg", "WINE REGISTRY Version 2\n");
    if (game)
        fs::create_directories(root / "drive_c" / "users" / "steamuser" / "Documents" / "EA Games" /
                               "The Sims 2" / "Neighborhoods");
}

struct BusyHome {
    fs::path home;
    explicit BusyHome(int steamPrefixes) {
        home = fs::temp_directory_path() /
               ("kinloom-bench-home-" + std::to_string(std::random_device{}()));
        const fs::path compat = home / ".local" / "share" / "Steam" / "steamapps" / "compatdata";
        for (int i = 0; i < steamPrefixes; ++i)
            MakePrefix(compat / std::to_string(200000 + i) / "pfx", 20000, false);
        MakePrefix(home / "Games" / "the-sims-2", 20000, true);
    }
    ~BusyHome() {
        std::error_code ec;
        fs::remove_all(home, ec);
    }
};

void BM_FindTheGame(benchmark::State& state) {
    const BusyHome busy(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const PrefixSearch places = FindWinePrefixes(LauncherHome(busy.home));
        const GameCopySearch found = FindGameCopies(places.Prefixes, "steamuser");
        if (found.Copies.size() != 1) state.SkipWithError("the game was not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindTheGame)->Arg(0)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinloom
