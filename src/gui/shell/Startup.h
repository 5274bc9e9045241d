#pragma once
// The window's start-up, in its fixed order: the pictures library and the logo, the discovery of
// the game and its neighborhoods, the picker, and loading the chosen neighborhood.

#include <functional>

#include "core/startup/StartupSource.h"

namespace kinloom {
class Dialogs;
class Messages;
}  // namespace kinloom

namespace kinloom::gui {

class NeighborhoodEditor;
class PicturesLibrary;
class MainWindow;

// Runs the start-up after the window was created (scheme and About page). False when the
// program must end: the pictures library is missing, discovery found nothing usable, or the
// user cancelled the picker; the reason has been shown by then.
bool RunStartup(MainWindow& window, NeighborhoodEditor& editor, const PicturesLibrary& pictures,
                Messages& messages, const std::function<StartupSource()>& discover);

// The same, with the player's way out when no game is found: discover runs first with no choice,
// then again with each choice made in the "not found" question (a user-data folder or a Wine
// prefix picked through dialogs, or the demo) until a game opens or the player quits.
bool RunStartup(MainWindow& window, NeighborhoodEditor& editor, const PicturesLibrary& pictures,
                Messages& messages, Dialogs& dialogs,
                const std::function<StartupSource(const GameChoice&)>& discover);

// "Game Folder...": after asking about unsaved edits, lists the copies findCopies finds and opens
// the one chosen (or a folder or prefix the player names) through discover, which remembers the
// choice. The open neighborhood stays when the player cancels or the choice holds no game. True
// when another game was opened.
bool ChangeGame(MainWindow& window, NeighborhoodEditor& editor, Messages& messages,
                Dialogs& dialogs, const std::function<std::vector<GameCopy>()>& findCopies,
                const std::function<StartupSource(const GameChoice&)>& discover);

// The buttons of the question start-up asks when no game is found.
inline constexpr const char* kChooseUserDataButton = "btnChooseUserData";
inline constexpr const char* kChooseWinePrefixButton = "btnChooseWinePrefix";
inline constexpr const char* kOpenDemoButton = "btnOpenDemo";
inline constexpr const char* kQuitButton = "btnQuit";

}  // namespace kinloom::gui
