// The menu's typeface. The window is designed for "Orbit-B BT"; a squared,
// technical face of the same character, built into the program, stands in for
// it under that name, so no installed font is needed.
#pragma once

#include <QFont>
#include <QString>

namespace quelvara {

// Registers the built-in face under the designed family name. Call once,
// after the application object exists. On failure returns false and sets
// error.
bool registerMenuTypeface(QString* error);

// The entries' font at a point size: bold, underlined, upright.
QFont menuFont(int pointSize);

} // namespace quelvara
