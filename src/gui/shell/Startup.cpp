#include "gui/shell/Startup.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "core/platform/Dialogs.h"
#include "core/platform/Messages.h"
#include "gui/editing/NeighborhoodEditor.h"
#include "gui/neighborhoods/NeighborhoodPickerDialog.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/GameChooserDialog.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PathText.h"
#include "gui/shell/PicturesLibrary.h"

namespace kinloom::gui {

namespace {

enum class MissingAnswer { UserData, WinePrefix, Demo, Quit };

// Where discovery looked, one place per line; a long list ends with how many more there were.
QString LookedText(const std::vector<std::string>& looked) {
    constexpr std::size_t kShown = 24;
    if (looked.empty()) return {};
    QString text = "\n\nLooked at:";
    constexpr qsizetype kWidest = 72;
    for (std::size_t i = 0; i < looked.size() && i < kShown; ++i) {
        // A long list of places breaks after its commas.
        QString line = "\n  ";
        qsizetype lineStart = 1;
        const QStringList parts = QString::fromStdString(looked[i]).split(", ");
        for (qsizetype p = 0; p < parts.size(); ++p) {
            if (p > 0) {
                line += ",";
                if (line.size() - lineStart + parts[p].size() > kWidest) {
                    lineStart = line.size() + 1;
                    line += "\n      ";
                } else {
                    line += " ";
                }
            }
            line += parts[p];
        }
        text += line;
    }
    if (looked.size() > kShown) text += QString("\n  ... and %1 more").arg(looked.size() - kShown);
    return text;
}

// "Unable to continue, Game User Data Not Found." with where discovery looked, and the ways on.
// Quitting is what Escape does; nothing here changes a file.
MissingAnswer AskWhenGameMissing(QWidget* parent, const std::vector<std::string>& looked) {
    QString text = QString::fromUtf8(kUserDataNotFound) + LookedText(looked);
    QMessageBox box(QMessageBox::Warning, "Kinloom", text, QMessageBox::NoButton, parent);
    box.setObjectName("dlgGameNotFound");
    auto add = [&box](const char* name, const QString& caption, QMessageBox::ButtonRole role) {
        QPushButton* b = box.addButton(caption, role);
        b->setObjectName(name);
        return b;
    };
    QPushButton* userData =
        add(kChooseUserDataButton, "Choose the &User Data Folder...", QMessageBox::ActionRole);
    QPushButton* prefix =
        add(kChooseWinePrefixButton, "Choose a &Wine Prefix...", QMessageBox::ActionRole);
    QPushButton* demo =
        add(kOpenDemoButton, "Open the &Demo Neighborhoods", QMessageBox::ActionRole);
    QPushButton* quit = add(kQuitButton, "&Quit", QMessageBox::RejectRole);
    box.setDefaultButton(userData);
    box.setEscapeButton(quit);
    box.exec();
    if (box.clickedButton() == userData) return MissingAnswer::UserData;
    if (box.clickedButton() == prefix) return MissingAnswer::WinePrefix;
    if (box.clickedButton() == demo) return MissingAnswer::Demo;
    return MissingAnswer::Quit;
}

}  // namespace

bool RunStartup(MainWindow& window, NeighborhoodEditor& editor, const PicturesLibrary& pictures,
                Messages& messages, const std::function<StartupSource()>& discover) {
    SilentDialogs none;
    return RunStartup(window, editor, pictures, messages, none,
                      [&discover](const GameChoice&) { return discover(); });
}

bool RunStartup(MainWindow& window, NeighborhoodEditor& editor, const PicturesLibrary& pictures,
                Messages& messages, Dialogs& dialogs,
                const std::function<StartupSource(const GameChoice&)>& discover) {
    // The logo stays for the whole run; without the library nothing can be drawn.
    std::optional<QImage> logo = pictures.Take("IMGVARN");
    if (!logo) {
        messages.Show("Bad DLL Load");
        return false;
    }
    window.setWindowIcon(QIcon(QPixmap::fromImage(*logo)));

    StartupSource source;
    GameChoice choice;
    for (;;) {
        {
            BusyGuard busy(&window, BusyGuard::Window);
            source = discover(choice);
        }
        if (source.SeveralGames) {
            GameChooserDialog chooser(source.Copies, dialogs, GameChooserDialog::Purpose::Startup,
                                      std::nullopt, &window);
            if (chooser.exec() != QDialog::Accepted) return false;
            choice = chooser.Choice();
            continue;
        }
        if (!source.GameMissing) break;
        // A cancelled folder dialog asks the question again; nothing is looked at anew.
        std::optional<GameChoice> next;
        while (!next) {
            const MissingAnswer answer = AskWhenGameMissing(&window, source.Looked);
            if (answer == MissingAnswer::Quit) return false;
            if (answer == MissingAnswer::Demo) {
                next = GameChoice{std::nullopt, std::nullopt, true};
                continue;
            }
            const std::filesystem::path start = PathOfText(QDir::homePath());
            if (const auto folder = dialogs.ChooseFolder(start)) {
                next = GameChoice{};
                (answer == MissingAnswer::UserData ? next->UserData : next->WinePrefix) = *folder;
            }
        }
        choice = *next;
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
    if (source.Demo) picker.ShowDemoNotice();
    if (picker.exec() != QDialog::Accepted) return false;
    editor.SelectNeighborhood(picker.ChosenIndex());
    window.show();
    // The restored switch had nothing to act on before; now it applies (and may warn).
    if (editor.LoadSelectedNeighborhood()) editor.ApplyAdvancedSwitch();
    return true;
}

bool ChangeGame(MainWindow& window, NeighborhoodEditor& editor, Messages& messages,
                Dialogs& dialogs, const std::function<std::vector<GameCopy>()>& findCopies,
                const std::function<StartupSource(const GameChoice&)>& discover) {
    if (!editor.ConfirmDropEdits()) return false;
    std::vector<GameCopy> copies;
    {
        BusyGuard busy(&window, BusyGuard::Window);
        copies = findCopies();
    }
    for (;;) {
        GameChooserDialog chooser(copies, dialogs, GameChooserDialog::Purpose::Change,
                                  editor.Startup().UserDataFolder, &window);
        if (chooser.exec() != QDialog::Accepted) return false;
        StartupSource source;
        {
            BusyGuard busy(&window, BusyGuard::Window);
            source = discover(chooser.Choice());
        }
        if (source.SeveralGames) {
            copies = source.Copies;  // the prefix chosen holds several: choose among them
            continue;
        }
        // Whatever went wrong is said, and the player chooses again (or cancels, keeping the
        // neighborhood that is open).
        if (source.GameMissing) {
            messages.Show(
                (QString::fromUtf8(kUserDataNotFound) + LookedText(source.Looked)).toStdString());
            continue;
        }
        if (source.ArgumentError || source.Outcome.Termination) {
            for (const std::string& text : source.Outcome.Messages) messages.Show(text);
            messages.Show(source.ArgumentError ? *source.ArgumentError
                                               : *source.Outcome.Termination);
            continue;
        }
        for (const std::string& text : source.Outcome.Messages) messages.Show(text);
        // The demo's label goes with the demo.
        QString title = window.windowTitle();
        title.remove(" (demo neighborhoods)");
        window.setWindowTitle(title);
        window.SetLanguageFont(QString::fromStdString(source.Outcome.State.LanguageFontName));
        window.ReapplyColorScheme();
        return editor.OpenGame(std::move(source.Outcome.State), std::move(source.Documents));
    }
}

}  // namespace kinloom::gui
