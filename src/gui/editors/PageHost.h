#pragma once
// PageHost: everything a page may ask of the window. The window implements it; page tests fake
// it. Pages never look the window up or cast it, so a page can stand alone in a test and the
// window can change its controls without touching a page.

#include <QColor>
#include <filesystem>
#include <optional>

namespace kinloom {
class Dialogs;
class Messages;
class Settings;
class TraitRandom;
struct Character;
struct ExpansionFlags;
struct LoadedNeighborhood;
}  // namespace kinloom

namespace kinloom::gui {

class PageHost {
public:
    virtual ~PageHost() = default;

    // The sim selected in cbUserName; nullptr when none is.
    virtual Character* CurrentSim() = 0;
    // The loaded neighborhood (every sim, household, tie and relationship); nullptr when none.
    virtual LoadedNeighborhood* Neighborhood() = 0;
    // The expansion packs the game has: the one place pages learn them.
    virtual const ExpansionFlags& Packs() const = 0;
    // The window's Advanced switch.
    virtual bool AdvancedOn() const = 0;
    // The game's user-data folder (Downloads, SavedSims, Teleport, Neighborhoods live there).
    virtual std::filesystem::path UserData() const = 0;
    // The user's documents folder (where the game keeps its user data on Windows).
    virtual std::filesystem::path Documents() const = 0;
    // The game's language, as its names are written.
    virtual int GameLanguage() const = 0;

    // Something was edited: Save is offered.
    virtual void ShowSave() = 0;
    // Gives the current sim's sim list entry its label again, in the form the list uses.
    virtual void RelabelCurrentSim() = 0;
    // Makes another sim the current one, as choosing it in cbUserName does (the open page is
    // filled again for it).
    virtual void SelectSim(Character& sim) = 0;

    // Long work's progress on the window's bar (pbLoading); the busy state itself is a
    // BusyGuard over the page's window.
    virtual void ShowProgress(int position, int maximum) = 0;

    // The colour scheme's colours, for the dialogs a page opens; none when the window has none.
    struct SchemeColors {
        QColor Background;
        QColor Foreground;
    };
    virtual std::optional<SchemeColors> Scheme() const = 0;

    virtual TraitRandom& Random() = 0;
    virtual kinloom::Messages& Messages() = 0;
    virtual kinloom::Settings& Settings() = 0;
    virtual kinloom::Dialogs& Dialogs() = 0;
};

}  // namespace kinloom::gui
