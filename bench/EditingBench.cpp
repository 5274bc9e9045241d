// Loading and saving whole demo neighborhoods of 100, 500 and 1000 sims, and of 400 sims with a
// relationship entry for every ordered pair (159,600 entries): loading alone against loading and
// saving one edit, as one `kinloom-cli set` does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <random>
#include <utility>

#include "core/demo/DemoWriter.h"
#include "core/editing/EditHistory.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/health/NeighborhoodHealth.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

// One demo folder per size (and relationship density), written once per run.
struct Folders {
    std::map<std::pair<int, bool>, fs::path> bySize;
    ~Folders() {
        std::error_code ec;
        for (auto& [size, folder] : bySize) fs::remove_all(folder, ec);
    }
};

const fs::path& DemoFolder(int sims, bool everyPair = false) {
    static Folders all;
    auto& folders = all.bySize;
    auto it = folders.find({sims, everyPair});
    if (it != folders.end()) return it->second;
    fs::path folder = fs::temp_directory_path() /
                      ("kinloom-bench-" + std::to_string(sims) + (everyPair ? "-pairs-" : "-") +
                       std::to_string(std::random_device{}()));
    fs::remove_all(folder);
    WriteDemoUserData(folder, DemoOptions{sims, 1, everyPair});
    return folders.emplace(std::make_pair(sims, everyPair), folder).first->second;
}

Neighborhood N001(int sims, bool everyPair = false) {
    Neighborhood n;
    n.FolderName = "N001";
    n.PackagePath =
        DemoFolder(sims, everyPair) / "Neighborhoods" / "N001" / "N001_Neighborhood.package";
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
        if (!outcome.Loaded || static_cast<int>(loaded.Sims.size()) != sims)
            state.SkipWithError("load failed");
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

// Every sim related to every other: range(0) sims, n * (n - 1) relationship entries.
void LoadEveryPairRelated(benchmark::State& state) {
    const int sims = static_cast<int>(state.range(0));
    const Neighborhood n = N001(sims, true);
    SilentMessages messages;
    for (auto _ : state) {
        LoadedNeighborhood loaded;
        EditingContext context{messages, 1, {}, {}};
        LoadOutcome outcome = LoadNeighborhood(n, loaded, LabelForm::FirstName, context);
        const auto pairs = static_cast<std::size_t>(sims) * static_cast<std::size_t>(sims - 1);
        if (!outcome.Loaded || loaded.Relationships.size() != pairs)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.Relationships.data());
    }
    state.counters["sims"] = sims;
}

// What one `set` does: load, change one sim's skill, save (the neighborhood package and that
// sim's character package). Both files are put back as generated before each round, untimed,
// so every round saves the same packages (compressed entries included).
void LoadAndSaveOneEditEveryPairRelated(benchmark::State& state) {
    const int sims = static_cast<int>(state.range(0));
    const Neighborhood n = N001(sims, true);
    SilentMessages messages;
    std::vector<std::pair<fs::path, Bytes>> originals;
    {
        LoadedNeighborhood loaded;
        EditingContext context{messages, 1, {}, {}};
        if (!LoadNeighborhood(n, loaded, LabelForm::FirstName, context).Loaded ||
            loaded.Sims.empty()) {
            state.SkipWithError("load failed");
            return;
        }
        for (const fs::path& file :
             {n.PackagePath, loaded.CharactersFolder / loaded.Sims.front()->FileName})
            originals.emplace_back(file, ReadWholeFile(file));
    }
    std::int16_t cooking = 100;
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& [file, bytes] : originals) ReplaceFileAtomically(file, bytes);
        state.ResumeTiming();
        LoadedNeighborhood loaded;
        EditingContext context{messages, 1, {}, {}};
        if (!LoadNeighborhood(n, loaded, LabelForm::FirstName, context).Loaded) {
            state.SkipWithError("load failed");
            break;
        }
        Character& sim = *loaded.Sims.front();
        cooking = static_cast<std::int16_t>(cooking == 100 ? 200 : 100);
        sim.Cooking = cooking;
        sim.Modified = true;
        if (!SaveNeighborhood(loaded, context).Saved) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["sims"] = sims;
}

// The health check of a loaded neighborhood: every record compared, and the neighborhood package
// and every character package read and decompressed again.
void CheckHealth(benchmark::State& state) {
    const int sims = static_cast<int>(state.range(0));
    const bool everyPair = state.range(1) != 0;
    const Neighborhood n = N001(sims, everyPair);
    SilentMessages messages;
    LoadedNeighborhood loaded;
    EditingContext context{messages, 1, {}, {}};
    LoadNeighborhood(n, loaded, LabelForm::FirstName, context);
    for (auto _ : state) {
        const HealthReport report = CheckNeighborhood(loaded);
        if (report.HasProblem()) state.SkipWithError("the demo has a problem");
        benchmark::DoNotOptimize(report.Findings.data());
    }
    state.counters["sims"] = sims;
}

// What every edit costs the window on top of the edit itself: the history finding the changed
// records among all of them.
void NoteOneEdit(benchmark::State& state) {
    const int sims = static_cast<int>(state.range(0));
    const Neighborhood n = N001(sims, state.range(1) != 0);
    SilentMessages messages;
    LoadedNeighborhood loaded;
    EditingContext context{messages, 1, {}, {}};
    LoadNeighborhood(n, loaded, LabelForm::FirstName, context);
    EditHistory history;
    history.Reset(loaded);
    std::int16_t value = 0;
    for (auto _ : state) {
        loaded.Sims[0]->Cooking = ++value;
        loaded.Sims[0]->Modified = true;
        if (!history.Note(loaded, "Cooking", "trkCooking")) state.SkipWithError("no step");
    }
    state.counters["sims"] = sims;
}

// Wall time decides the iterations and is the figure to quote ("Time"); a save's wait for the disk
// shows there and not in its CPU time.
BENCHMARK(Load)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SaveAll)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadEveryPairRelated)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndSaveOneEditEveryPairRelated)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(NoteOneEdit)->Args({1000, 0})->Args({400, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(CheckHealth)->Args({1000, 0})->Args({400, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinloom
