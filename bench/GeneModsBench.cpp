// Scanning a large custom-content collection for genes: 2,000 packages in 20 folders under
// Downloads, a quarter each hair, skin and eye genes and a quarter other content, every one
// carrying a 32 KB texture-sized entry the scan has no need to read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/demo/DemoPackage.h"
#include "core/editing/GeneMods.h"
#include "core/editing/GeneTables.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;

constexpr int kPackages = 2000;

struct Collection {
    fs::path folder;
    Collection() {
        folder = fs::temp_directory_path() /
                 ("kinloom-bench-genes-" + std::to_string(std::random_device{}()));
        std::mt19937 random(7);
        const std::uint32_t kinds[] = {genetypes::Hair, genetypes::Skin, genetypes::Eye,
                                       0x1C4A276C /* texture only */};
        for (int i = 0; i < kPackages; ++i) {
            const std::uint32_t type = kinds[i % 4];
            char family[40];
            std::snprintf(family, sizeof family, "%08x-0000-4000-8000-%012d",
                          static_cast<unsigned>(random()), i);
            std::vector<Property> props = {TextProperty("name", "Gene " + std::to_string(i)),
                                           TextProperty("family", family)};
            if (type == genetypes::Eye) props.push_back(NumberProperty("subtype", 3));
            Bytes texture(32 * 1024);
            for (auto& b : texture) b = static_cast<std::uint8_t>(random());
            DemoPackage p(24);
            p.Add(0x1C4A276C, 1, std::move(texture));
            if (type != 0x1C4A276C) p.Add(type, 1, DemoPropertySet(props), i % 8 == 1);
            p.Add(0x53545223, 1, DemoTextList({{1, "Gene " + std::to_string(i)}}));
            const fs::path file = folder / "Downloads" / ("Set" + std::to_string(i % 20)) /
                                  ("gene" + std::to_string(i) + ".package");
            fs::create_directories(file.parent_path());
            ReplaceFileAtomically(file, p.Build());
        }
    }
    ~Collection() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

void ScanGenes(benchmark::State& state) {
    static Collection collection;
    SilentMessages messages;
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<GeneMod> genes = ScanGeneMods(collection.folder, messages);
        found = genes.size();
        benchmark::DoNotOptimize(genes.data());
    }
    if (found != kPackages / 4 * 3) state.SkipWithError("genes missing from the scan");
    state.counters["packages"] = kPackages;
    state.counters["genes"] = static_cast<double>(found);
}
BENCHMARK(ScanGenes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinloom
