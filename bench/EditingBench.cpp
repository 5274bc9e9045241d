// Loading and saving whole demo neighborhoods of 100, 500 and 1000 sims.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <random>

#include "demo/DemoWriter.h"
#include "editing/LoadNeighborhood.h"
#include "editing/SaveNeighborhood.h"
#include "platform/Messages.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

// One demo folder per size, written once per run.
struct Folders {
    std::map<int, fs::path> bySize;
    ~Folders() {
        std::error_code ec;
        for (auto& [size, folder] : bySize) fs::remove_all(folder, ec);
    }
};

const fs::path& DemoFolder(int sims) {
    static Folders all;
    auto& folders = all.bySize;
    auto it = folders.find(sims);
    if (it != folders.end()) return it->second;
    fs::path folder = fs::temp_directory_path() /
                      ("kinloom-bench-" + std::to_string(sims) + "-" + std::to_string(std::random_device{}()));
    fs::remove_all(folder);
    WriteDemoUserData(folder, DemoOptions{sims, 1});
    return folders.emplace(sims, folder).first->second;
}

Neighborhood N001(int sims) {
    Neighborhood n;
    n.FolderName = "N001";
    n.PackagePath = DemoFolder(sims) / "Neighborhoods" / "N001" / "N001_Neighborhood.package";
    return n;
}

void Load(benchmark::State& state) {
    const int sims = static_cast<int>(state.range(0));
    const Neighborhood n = N001(sims);
    SilentMessages messages;
    for (auto _ : state) {
        LoadedNeighborhood loaded;
        EditingContext context{messages, 1, {}, {}};
        LoadOutcome outcome = LoadNeighborhood(n, loaded, LabelForm::FirstName, context);
        if (!outcome.Loaded || static_cast<int>(loaded.Sims.size()) != sims) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.Sims.data());
    }
    state.counters["sims"] = sims;
}

// Saving with every sim changed: the neighborhood package and every character package.
void SaveAll(benchmark::State& state) {
    const int sims = static_cast<int>(state.range(0));
    const Neighborhood n = N001(sims);
    SilentMessages messages;
    LoadedNeighborhood loaded;
    EditingContext context{messages, 1, {}, {}};
    LoadNeighborhood(n, loaded, LabelForm::FirstName, context);
    for (auto _ : state) {
        for (Character* sim : loaded.Sims) sim->Modified = true;
        SaveOutcome saved = SaveNeighborhood(loaded, context);
        if (!saved.Saved) state.SkipWithError("save failed");
    }
    state.counters["sims"] = sims;
}

BENCHMARK(Load)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveAll)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinloom
