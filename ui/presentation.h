#pragma once

#include "imagelibrary.h"

namespace quelvara {

// Loads Qt's own Slovak translations, when they are installed, so the texts
// Qt supplies (a message box's button, what a screen reader calls an
// action) are Slovak like the rest of the program. Returns false when they
// are not installed; the program then runs the same, with Qt's English.
bool installQtTranslations();

// Runs the presentation in an application object that already exists: loads
// the menu typeface and decodes every picture, creates the navigation in its
// start state, builds and shows the window and runs the event loop until the
// program ends. A picture that fails ends the program before any window is
// shown, with a modal message in Slovak naming what failed. Returns the exit
// status: 0 after Exit or closing the window, 1 after a failure.
int runPresentation();
int runPresentation(const ImageLibrary::ByteSource& pictures);

} // namespace quelvara
