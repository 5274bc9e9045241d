// Opening a large neighborhood in the real window: from choosing it in the list to a usable window
// (the sim list filled, the Neighborhood page shown, the first sim's pages ready), and from OK in
// the neighborhood picker to the same, the window first shown as the start shows it.
//
// Offscreen unless QT_QPA_PLATFORM says otherwise; bench/on-desktop.sh runs it under a real X
// server with a window manager and the accessibility bridge on, where a player's window runs.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <random>

#include "DemoHome.h"
#include "core/demo/DemoWriter.h"
#include "core/platform/Messages.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/Startup.h"

namespace kinloom::gui {
namespace {
namespace fs = std::filesystem;

// Whatever the window system still has to do: handled, drawn and, on a real display, taken in by
// the X server.
void SettleWindow() {
    QApplication::processEvents();
    QGuiApplication::sync();
    QApplication::processEvents();
}

// The window and its editor on the demo, as the start leaves them when the picker opens.
struct DemoWindow {
    bench::DemoHome demo;
    MemorySettings settings;
    SilentMessages messages;
    PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
    MainWindow window{settings, messages, &pictures};
    NeighborhoodEditor editor{window, settings, messages, pictures, [] { return false; }};

    explicit DemoWindow(int sims) : demo(sims, "kinloom-bench-window") {}
    bool Start() {
        StartupRequest request;
        request.Arguments = {"--user-data", demo.folder.string()};
        request.Stored = &settings;
        StartupSource source = DiscoverStartupSource(request);
        if (source.Outcome.Termination) return false;
        editor.SetStartup(std::move(source.Outcome.State), demo.folder);
        return true;
    }
};

void Counters(benchmark::State& state) {
    state.counters["sims"] = static_cast<double>(state.range(0));
    // 1 when the accessibility bridge took part, as it does for a player with a screen reader.
    state.counters["a11y"] = QAccessible::isActive() ? 1 : 0;
}

void OpenInWindow(benchmark::State& state) {
    DemoWindow w(static_cast<int>(state.range(0)));
    if (!w.Start()) {
        state.SkipWithError("the demo was not found");
        return;
    }
    w.window.show();
    SettleWindow();
    for (auto _ : state) {
        w.editor.SelectNeighborhood(0);  // N001, the large one
        if (!w.editor.LoadSelectedNeighborhood()) state.SkipWithError("not loaded");
        QApplication::processEvents();  // painted and ready for input
    }
    Counters(state);
}
BENCHMARK(OpenInWindow)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Presses OK in the neighborhood picker once it is on screen, with the first neighborhood (N001,
// the large one) chosen, and notes when.
class PickerOk {
public:
    PickerOk() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Press(); });
        timer_.start();
    }
    bool Pressed() const { return pressed_.isValid(); }
    qint64 NanosecondsSincePressed() const { return pressed_.nsecsElapsed(); }

private:
    QTimer timer_;
    QElapsedTimer pressed_;

    void Press() {
        auto* picker = qobject_cast<NeighborhoodPickerDialog*>(QApplication::activeModalWidget());
        if (!picker || !picker->isVisible()) return;
        SettleWindow();  // the player sees it before pressing
        timer_.stop();
        picker->findChild<QListWidget*>("lbNGBDs")->setCurrentRow(0);
        pressed_.start();
        picker->findChild<QPushButton*>("btnOkay")->click();
    }
};

// The start from OK in the picker to a usable window: the window (made, as main makes it, but
// never shown before) is shown, the neighborhood loaded, the Advanced switch applied, and
// everything drawn; until the window system has nothing left to do.
void PickerOkToUsableWindow(benchmark::State& state) {
    const bench::DemoHome demo(static_cast<int>(state.range(0)), "kinloom-bench-window");
    for (auto _ : state) {
        MemorySettings settings;
        SilentMessages messages;
        PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
        MainWindow window(settings, messages, &pictures);
        NeighborhoodEditor editor(window, settings, messages, pictures, [] { return false; });
        StartupRequest request;
        request.Arguments = {"--user-data", demo.folder.string()};
        request.Stored = &settings;
        PickerOk ok;
        const bool started = RunStartup(window, editor, pictures, messages,
                                        [&] { return DiscoverStartupSource(request); });
        SettleWindow();
        if (!started || !ok.Pressed() ||
            window.findChild<QComboBox*>("cbUserName")->count() !=
                static_cast<int>(state.range(0))) {
            state.SkipWithError("the neighborhood was not opened");
            break;
        }
        state.SetIterationTime(static_cast<double>(ok.NanosecondsSincePressed()) * 1e-9);
    }
    Counters(state);
}
BENCHMARK(PickerOkToUsableWindow)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

}  // namespace
}  // namespace kinloom::gui

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The accessibility bridge, when asked for, connects once the event loop has run a little.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
