// Renders a page source to a 405 × 253 picture in the pages' look: black
// background, green body text, white framed formulas, white line drawings.
#pragma once

#include "pagesource.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QImage>

namespace quelvara::tools {

struct PageStyle {
    QString fontFamily;
    int scale { 1 }; // 2 renders the same page at twice the resolution
};

// drawings maps a drawing's name to its SVG bytes. On failure returns a null
// image and sets error.
QImage renderPage(
    const PageSource& page, const QHash<QString, QByteArray>& drawings, const PageStyle& style, QString* error);

} // namespace quelvara::tools
