#include "colourresolver.h"

namespace quelvara {

namespace {

constexpr ColourWord SystemBit = 0x80000000u;

} // namespace

QColor resolveColour(ColourWord word, const QPalette& palette)
{
    if (!(word & SystemBit))
        return QColor(int(word & 0xFF), int(word >> 8 & 0xFF), int(word >> 16 & 0xFF));
    switch (word) {
    case SystemDesktop:
        return DesktopFallback;
    case SystemHighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case SystemButtonText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    default:
        return Qt::black;
    }
}

} // namespace quelvara
