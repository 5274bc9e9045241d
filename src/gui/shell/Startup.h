#pragma once
// The window's start-up, in its fixed order: the pictures library and the logo, the discovery of
// the game and its neighborhoods, the picker, and loading the chosen neighborhood.

#include <functional>

#include "core/startup/StartupSource.h"

namespace kinloom {
class Messages;
}

namespace kinloom::gui {

class NeighborhoodEditor;
class PicturesLibrary;
class MainWindow;

// Runs the start-up after the window was created (scheme and About page). False when the
// program must end: the pictures library is missing, discovery found nothing usable, or the
// user cancelled the picker; the reason has been shown by then.
bool RunStartup(MainWindow& window, NeighborhoodEditor& editor, const PicturesLibrary& pictures,
                Messages& messages, const std::function<StartupSource()>& discover);

}  // namespace kinloom::gui
