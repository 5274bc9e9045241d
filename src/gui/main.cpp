#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <string>
#include <vector>

#include "core/platform/ProgramVersion.h"
#include "core/startup/StartupSource.h"
#ifdef _WIN32
#include "core/platform/WindowsText.h"
#endif
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/shell/GuardedApplication.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/QtDialogs.h"
#include "gui/shell/QtMessages.h"
#include "gui/shell/QtSettings.h"
#include "gui/shell/Startup.h"

namespace {

constexpr const char* kUsage =
    "Usage: kinloom [--user-data DIR | --wine-prefix DIR | --demo] [/l LANGUAGE]\n"
    "  --user-data DIR    the game's user-data folder (the one holding Neighborhoods)\n"
    "  --wine-prefix DIR  the Wine prefix the game is installed in (default $WINEPREFIX, else\n"
    "                     the prefixes of Wine, Lutris, Steam, Bottles, Heroic and PlayOnLinux)\n"
    "  --demo             open the demo neighborhoods\n"
    "  /l LANGUAGE        the game's language number for names and descriptions\n"
    "  --help, --version\n"
    "Without a game, the editor says where it looked and lets you choose a folder or the demo.\n";

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before the window system is needed, so --help works anywhere.
    kinloom::StartupRequest request;
#ifdef _WIN32
    // argv holds the arguments in the ANSI code page; folder names need the UTF-16 command line.
    const std::vector<std::string> given = kinloom::CommandLineArguments();
#else
    const std::vector<std::string> given(argv + 1, argv + argc);
#endif
    for (const std::string& a : given) {
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("Kinloom %s\n", kinloom::ProgramVersionText().c_str());
            return 0;
        }
        if (a == "--demo")
            request.Demo = true;
        else
            request.Arguments.push_back(a);
    }
    if (auto error = kinloom::StrayArgument(kinloom::ParseStartupArguments(request.Arguments))) {
        std::fprintf(stderr, "kinloom: %s\n%s", error->c_str(), kUsage);
        return 1;
    }

    kinloom::gui::GuardedApplication app(argc, argv);
    QApplication::setApplicationName("Kinloom");
    QApplication::setApplicationVersion(QString::fromStdString(kinloom::ProgramVersionText()));
    // Desktops match the window to the installed desktop entry and take its icon from the theme.
    QGuiApplication::setDesktopFileName("io.github.quillfern.Kinloom");
    QApplication::setWindowIcon(QIcon::fromTheme("io.github.quillfern.Kinloom"));

    kinloom::gui::QtSettings settings;
    kinloom::gui::QtMessages messages;
    kinloom::gui::PicturesLibrary pictures;
    kinloom::gui::MainWindow window(settings, messages, &pictures);
    messages.SetParent(&window);
    app.SetFailureListener([&](const std::string& text) { messages.Show(text); });
    kinloom::gui::NeighborhoodEditor editor(window, settings, messages, pictures);

    request.Stored = &settings;
    request.DemoFolder = kinloom::DefaultDemoFolder();
    kinloom::gui::QtDialogs dialogs(&window);
    const bool started = kinloom::gui::RunStartup(
        window, editor, pictures, messages, dialogs, [&](const kinloom::GameChoice& choice) {
            kinloom::StartupSource source =
                kinloom::DiscoverStartupSource(kinloom::WithChoice(request, choice));
            kinloom::RememberChoice(settings, choice, source);
            return source;
        });
    if (!started) return 1;
    editor.SetGameFolderAction([&] {
        kinloom::gui::ChangeGame(
            window, editor, messages, dialogs,
            [] {
                return kinloom::AllGameCopies(kinloom::StartupArguments{},
                                              kinloom::LauncherHome::FromEnvironment())
                    .Found.Copies;
            },
            [&](const kinloom::GameChoice& choice) {
                // The folder options of this run's command line give way to the choice.
                kinloom::StartupRequest asked = kinloom::WithChoice(request, choice);
                asked.Demo = false;
                kinloom::StartupSource source = kinloom::DiscoverStartupSource(asked);
                kinloom::RememberChoice(settings, choice, source);
                return source;
            });
    });
    return QApplication::exec();
}
