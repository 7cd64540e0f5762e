// Reduces a picture to an 8-bit palette chosen for that picture alone.
#pragma once

#include <QImage>
#include <QList>

namespace quelvara::tools {

// Returns a Format_Indexed8 image with at most maxColours entries. Colours in
// keep are always in the palette exactly. The remaining entries are found by
// splitting the picture's colour histogram where its error is largest, and
// every pixel takes its nearest entry: no dithering, so flat areas stay flat
// and text edges stay clean. The result depends only on the pixels.
QImage quantize(const QImage& image, const QList<QRgb>& keep, int maxColours = 256);

} // namespace quelvara::tools
