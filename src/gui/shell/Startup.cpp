#include "gui/shell/Startup.h"

#include <QApplication>

#include "core/platform/Messages.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"

namespace kinloom::gui {

bool RunStartup(MainWindow& window, NeighborhoodEditor& editor, const PicturesLibrary& pictures,
                Messages& messages, const std::function<StartupSource()>& discover) {
    // The logo stays for the whole run; without the library nothing can be drawn.
    std::optional<QImage> logo = pictures.Take("IMGVARN");
    if (!logo) {
        messages.Show("Bad DLL Load");
        return false;
    }
    window.setWindowIcon(QIcon(QPixmap::fromImage(*logo)));

    StartupSource source;
    {
        BusyGuard busy(&window, BusyGuard::Window);
        source = discover();
    }
    if (source.ArgumentError) {
        messages.Show(*source.ArgumentError);
        return false;
    }
    for (const std::string& text : source.Outcome.Messages) messages.Show(text);
    if (source.Outcome.Termination) {
        messages.Show(*source.Outcome.Termination);
        return false;
    }
    if (source.Demo) window.setWindowTitle(window.windowTitle() + " (demo neighborhoods)");

    const StartupState& state = source.Outcome.State;
    window.SetLanguageFont(QString::fromStdString(state.LanguageFontName));
    window.ReapplyColorScheme();
    const std::string last = state.LastNeighborhood;
    editor.SetStartup(std::move(source.Outcome.State), std::move(source.Documents));

    window.hide();
    NeighborhoodPickerDialog picker(editor.Startup().Neighborhoods, last, window.SchemeBackground(),
                                    window.SchemeForeground());
    if (picker.exec() != QDialog::Accepted) return false;
    editor.SelectNeighborhood(picker.ChosenIndex());
    window.show();
    // The restored switch had nothing to act on before; now it applies (and may warn).
    if (editor.LoadSelectedNeighborhood()) editor.ApplyAdvancedSwitch();
    return true;
}

}  // namespace kinloom::gui
