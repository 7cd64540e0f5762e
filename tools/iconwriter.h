// Writers for Windows icon and cursor files: 16 colours with the standard
// palette, an XOR image and an AND transparency mask per image, the classic
// 40-byte info header with the doubled height.
#pragma once

#include "pixelgrid.h"

#include <QByteArray>

#include <vector>

namespace quelvara::tools {

// One directory entry per grid, in the order given. Grids hold palette
// indices and Transparent only.
QByteArray iconFile(const std::vector<PixelGrid>& grids);
QByteArray cursorFile(const PixelGrid& grid, int hotspotX, int hotspotY);

} // namespace quelvara::tools
