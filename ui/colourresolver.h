#pragma once

#include "entrystyle.h"

#include <QColor>
#include <QPalette>

namespace quelvara {

// This platform keeps no desktop colour, so system colour 0x01 resolves to
// the classic teal desktop.
inline const QColor DesktopFallback(0x00, 0x80, 0x80);

// Turns a colour word into a screen colour: 0x00BBGGRR is that colour, and
// 0x800000nn is the platform's colour for index nn, taken from palette.
// Indices the program never uses resolve to black.
QColor resolveColour(ColourWord word, const QPalette& palette);

} // namespace quelvara
