// Looking for the game in a busy home: a Steam library with many games' prefixes (each with a
// registry of a few megabytes that does not name the game) and one Lutris prefix that holds it.
// The search and the registry check together, as every start without options runs them.
// Then the whole discovery of a start without options in a player's home (~/.wine with a
// registry of a real size and a 1000-sim neighborhood), and its parts on their own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "GameHome.h"
#include "core/neighborhoods/Discovery.h"
#include "core/neighborhoods/GameCopies.h"
#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/platform/WinePrefixSearch.h"
#include "core/platform/WineRegistry.h"
#include "core/startup/StartupSource.h"

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

// What the window's start-up asks of the core before it shows the picker: the launchers' places
// searched, the game's registry read, packs and language, the neighborhoods scanned.
void BM_DiscoverStartup(benchmark::State& state) {
    const bench::GameHome game(static_cast<int>(state.range(0)));
    ::unsetenv("WINEPREFIX");  // a prefix named there would stop the search
    for (auto _ : state) {
        StartupRequest request;
        request.Home = LauncherHome(game.Home);
        const StartupSource source = DiscoverStartupSource(request);
        const StartupState& found = source.Outcome.State;
        if (source.Outcome.Termination || found.Neighborhoods.empty() || !found.Packs.HasPets ||
            found.GameLanguage != bench::kGameLanguage)
            state.SkipWithError("the game was not found as its registry has it");
        benchmark::DoNotOptimize(source);
    }
}
BENCHMARK(BM_DiscoverStartup)->Arg(1000)->Unit(benchmark::kMillisecond);

// Its parts: the prefix's registry read on its own, every key (0) or only the keys discovery
// reads (1), and the scan of the neighborhoods.
void BM_ReadPrefixRegistry(benchmark::State& state) {
    const bench::GameHome game(0);
    const RegistryKeyFilter keep = state.range(0) ? DiscoveryRegistryKeys() : RegistryKeyFilter{};
    for (auto _ : state) {
        const WineRegistry registry = WineRegistry::FromPrefix(game.Prefix, keep);
        if (!ReadExpansionFlags(registry).HasPets) state.SkipWithError("the packs were not read");
        benchmark::DoNotOptimize(registry);
    }
}
BENCHMARK(BM_ReadPrefixRegistry)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScanNeighborhoods(benchmark::State& state) {
    const bench::GameHome game(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const NeighborhoodScan scan = ScanNeighborhoods(game.UserData / "Neighborhoods", 1);
        if (scan.Neighborhoods.empty()) state.SkipWithError("no neighborhoods");
        benchmark::DoNotOptimize(scan);
    }
}
BENCHMARK(BM_ScanNeighborhoods)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinloom
