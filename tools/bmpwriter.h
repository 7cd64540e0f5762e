// Writers for the two Windows bitmap layouts the program carries: 8 bits per
// pixel with a full 256-entry palette, and 24 bits per pixel. Both are
// uncompressed, bottom-up, with rows padded to four bytes and the classic
// 40-byte info header. Qt's own writer picks other layouts, so the headers
// are written here field by field.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quelvara::tools {

// image must be Format_Indexed8 with at most 256 colours; the palette is
// padded with black to 256 entries.
QByteArray indexedBmp(const QImage& image, int pixelsPerMetre);

// Any image; alpha is ignored.
QByteArray trueColourBmp(const QImage& image, int pixelsPerMetre);

} // namespace quelvara::tools
