// Pixel-art sources of the icons and cursors.
//
// A source is text: comment lines start with '#', "size N" starts a grid of N
// lines of N characters, and "hotspot X Y" gives a cursor's hotspot. A grid
// character is a hex digit naming one of the sixteen standard colours, '.'
// for a transparent pixel, or, in cursors, '#' for the arrow's fill colour.
// A source may instead be the single line "mirror NAME": the left-right
// mirror image of another icon, so the two can never drift apart.
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace quelvara::tools {

// The sixteen colours of the standard palette, in their index order.
extern const std::array<QRgb, 16> StandardPalette;

inline constexpr int Transparent = -1;
inline constexpr int CursorFill = -2;

struct PixelGrid {
    int size { 0 };
    std::vector<int> pixels; // row by row: a palette index, Transparent or CursorFill

    int at(int x, int y) const { return pixels[std::size_t(y * size + x)]; }
    PixelGrid mirrored() const;
    PixelGrid filled(int paletteIndex) const; // CursorFill pixels take this index
    QImage toImage() const; // transparent pixels have alpha 0
};

struct PixelSource {
    std::vector<PixelGrid> grids; // in file order
    std::optional<std::pair<int, int>> hotspot;
    QString mirrorOf; // non-empty for "mirror NAME"

    const PixelGrid* grid(int size) const;
};

// Parses one source. On failure returns nothing and sets error to
// "line N: what is wrong".
std::optional<PixelSource> parsePixelSource(const QString& text, QString* error);

} // namespace quelvara::tools
