#include "pixelgrid.h"

#include <QStringList>

namespace quelvara::tools {

const std::array<QRgb, 16> StandardPalette {
    qRgb(0x00, 0x00, 0x00),
    qRgb(0x80, 0x00, 0x00),
    qRgb(0x00, 0x80, 0x00),
    qRgb(0x80, 0x80, 0x00),
    qRgb(0x00, 0x00, 0x80),
    qRgb(0x80, 0x00, 0x80),
    qRgb(0x00, 0x80, 0x80),
    qRgb(0xC0, 0xC0, 0xC0),
    qRgb(0x80, 0x80, 0x80),
    qRgb(0xFF, 0x00, 0x00),
    qRgb(0x00, 0xFF, 0x00),
    qRgb(0xFF, 0xFF, 0x00),
    qRgb(0x00, 0x00, 0xFF),
    qRgb(0xFF, 0x00, 0xFF),
    qRgb(0x00, 0xFF, 0xFF),
    qRgb(0xFF, 0xFF, 0xFF),
};

PixelGrid PixelGrid::mirrored() const
{
    PixelGrid result = *this;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            result.pixels[std::size_t(y * size + x)] = at(size - 1 - x, y);
    }
    return result;
}

PixelGrid PixelGrid::filled(int paletteIndex) const
{
    PixelGrid result = *this;
    for (int& pixel : result.pixels) {
        if (pixel == CursorFill)
            pixel = paletteIndex;
    }
    return result;
}

QImage PixelGrid::toImage() const
{
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, at(x, y) >= 0 ? StandardPalette[std::size_t(at(x, y))] : qRgba(0, 0, 0, 0));
    }
    return image;
}

const PixelGrid* PixelSource::grid(int size) const
{
    for (const PixelGrid& grid : grids) {
        if (grid.size == size)
            return &grid;
    }
    return nullptr;
}

namespace {

constexpr int NotAPixel = -100;

int pixelValue(QChar c)
{
    if (c == u'.')
        return Transparent;
    if (c == u'#')
        return CursorFill;
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return 10 + c.unicode() - u'a';
    return NotAPixel;
}

} // namespace

std::optional<PixelSource> parsePixelSource(const QString& text, QString* error)
{
    PixelSource source;
    const QStringList lines = text.split(u'\n');
    auto fail = [&](qsizetype line, const QString& what) {
        *error = QStringLiteral("line %1: %2").arg(line + 1).arg(what);
        return std::nullopt;
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words[0] == u"mirror" && words.size() == 2) {
            source.mirrorOf = words[1];
        } else if (words[0] == u"hotspot" && words.size() == 3) {
            bool xOk = false;
            bool yOk = false;
            source.hotspot = { words[1].toInt(&xOk), words[2].toInt(&yOk) };
            if (!xOk || !yOk)
                return fail(i, QStringLiteral("the hotspot needs two whole numbers"));
        } else if (words[0] == u"size" && words.size() == 2) {
            bool ok = false;
            const int size = words[1].toInt(&ok);
            if (!ok || size < 1 || size > 256)
                return fail(i, QStringLiteral("\"%1\" is not a grid size").arg(words[1]));
            PixelGrid grid;
            grid.size = size;
            for (int row = 0; row < size; ++row) {
                const qsizetype lineIndex = i + 1 + row;
                if (lineIndex >= lines.size())
                    return fail(lineIndex, QStringLiteral("the %1×%1 grid ends after %2 rows").arg(size).arg(row));
                const QString& gridLine = lines[lineIndex];
                if (gridLine.size() != size)
                    return fail(lineIndex,
                        QStringLiteral("a grid row has %1 characters, expected %2").arg(gridLine.size()).arg(size));
                for (QChar c : gridLine) {
                    const int value = pixelValue(c);
                    if (value == NotAPixel)
                        return fail(lineIndex, QStringLiteral("'%1' is not a colour index, '.' or '#'").arg(c));
                    grid.pixels.push_back(value);
                }
            }
            source.grids.push_back(std::move(grid));
            i += size;
        } else {
            return fail(i, QStringLiteral("cannot read \"%1\"").arg(line));
        }
    }
    if (source.mirrorOf.isEmpty() && source.grids.empty())
        return fail(lines.size() - 1, QStringLiteral("no grid"));
    return source;
}

} // namespace quelvara::tools
