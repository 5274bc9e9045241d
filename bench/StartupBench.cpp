// A player's start, offscreen: what the program's main does from the command line to the
// neighborhood picker on screen, with nothing on the command line, in a home whose ~/.wine holds
// the game (a registry of a real size, a 1000-sim neighborhood). The window and the editor are
// made, the launchers' places searched, the registry and the neighborhoods read, and the picker
// shown; it is then cancelled, so loading a neighborhood is not part of it (WindowOpenBench
// measures that).
//
// The calls are main.cpp's, repeated here: main itself cannot run in a loop. Settings are kept in
// memory rather than in the user's settings file, so a choice remembered on this machine cannot
// steer the search; $WINEPREFIX is cleared for the same reason. The QApplication is made once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <cstdlib>

#include "GameHome.h"
#include "core/platform/Settings.h"
#include "core/startup/StartupSource.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/QtDialogs.h"
#include "gui/shell/QtMessages.h"
#include "gui/shell/Startup.h"

namespace kinloom::gui {
namespace {

// Cancels the picker once it is on screen, and anything else that opens before it (which the
// benchmark reports: a player would have been stopped there).
class PickerCloser {
public:
    PickerCloser() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Close(); });
        timer_.start();
    }
    int Listed() const { return listed_; }  // the picker's neighborhoods; -1 when not shown
    bool OtherDialog() const { return otherDialog_; }

private:
    QTimer timer_;
    int listed_ = -1;
    bool otherDialog_ = false;

    void Close() {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible()) return;
        QApplication::processEvents();  // laid out and painted
        if (auto* picker = qobject_cast<NeighborhoodPickerDialog*>(modal)) {
            listed_ = picker->findChild<QListWidget*>("lbNGBDs")->count();
            timer_.stop();
        } else {
            otherDialog_ = true;
        }
        modal->reject();
    }
};

void BM_MainToPicker(benchmark::State& state) {
    const bench::GameHome game(static_cast<int>(state.range(0)));
    ::unsetenv("WINEPREFIX");
    for (auto _ : state) {
        // As main: the request, then the window, its messages and the editor.
        StartupRequest request;
        MemorySettings settings;
        QtMessages messages;
        PicturesLibrary pictures{QString::fromUtf8(KINLOOM_IMAGES_RCC)};
        MainWindow window(settings, messages, &pictures);
        messages.SetParent(&window);
        NeighborhoodEditor editor(window, settings, messages, pictures);
        request.Stored = &settings;
        request.DemoFolder = game.Root / "demo";
        request.Home = LauncherHome(game.Home);  // main: the user's own home
        QtDialogs dialogs(&window);

        PickerCloser closer;
        RunStartup(window, editor, pictures, messages, dialogs, [&](const GameChoice& choice) {
            StartupSource source = DiscoverStartupSource(WithChoice(request, choice));
            RememberChoice(settings, choice, source);
            return source;
        });
        const StartupState& found = editor.Startup();
        if (closer.OtherDialog() || closer.Listed() <= 0 ||
            closer.Listed() != static_cast<int>(found.Neighborhoods.size()) ||
            !found.Packs.HasSeasons || found.GameLanguage != bench::kGameLanguage)
            state.SkipWithError("the picker did not show the game's neighborhoods");
    }
    state.counters["sims"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_MainToPicker)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(10);

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
