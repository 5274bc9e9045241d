// Opening a large neighborhood in the real window, offscreen: from choosing it in the list to a
// usable window (the sim list filled, the Neighborhood page shown, the first sim's pages ready).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <random>

#include "core/demo/DemoWriter.h"
#include "core/platform/Messages.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"

namespace kinloom::gui {
namespace {
namespace fs = std::filesystem;

struct DemoHome {
    fs::path folder;
    explicit DemoHome(int sims) {
        folder = fs::temp_directory_path() /
                 ("kinloom-bench-window-" + std::to_string(std::random_device{}()));
        WriteDemoUserData(folder, DemoOptions{sims, 1, false});
    }
    ~DemoHome() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

void OpenInWindow(benchmark::State& state) {
    const DemoHome demo(static_cast<int>(state.range(0)));
    MemorySettings settings;
    SilentMessages messages;
    PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
    MainWindow window(settings, messages, &pictures);
    NeighborhoodEditor editor(window, settings, messages, pictures, [] { return false; });
    StartupRequest request;
    request.Arguments = {"--user-data", demo.folder.string()};
    request.Stored = &settings;
    StartupSource source = DiscoverStartupSource(request);
    if (source.Outcome.Termination) {
        state.SkipWithError("the demo was not found");
        return;
    }
    editor.SetStartup(std::move(source.Outcome.State), demo.folder);
    window.show();
    for (auto _ : state) {
        editor.SelectNeighborhood(0);  // N001, the large one
        if (!editor.LoadSelectedNeighborhood()) state.SkipWithError("not loaded");
        QApplication::processEvents();  // painted and ready for input
    }
    state.counters["sims"] = static_cast<double>(state.range(0));
}
BENCHMARK(OpenInWindow)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kinloom::gui

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
