#include "contactsheet.h"

#include "identifiers.h"
#include "imageroles.h"
#include "pagegeometry.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <stdexcept>

namespace quelvara::tools {

namespace {

constexpr int Gap = 16;
constexpr int LabelHeight = 20;

QImage readImage(const QString& path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(qPrintable(path + QStringLiteral(": ") + reader.errorString()));
    return image;
}

void drawChecker(QPainter& painter, const QRect& rect)
{
    for (int y = rect.top(); y < rect.bottom(); y += 8) {
        for (int x = rect.left(); x < rect.right(); x += 8) {
            const bool dark = ((x - rect.left()) / 8 + (y - rect.top()) / 8) % 2;
            painter.fillRect(QRect(x, y, 8, 8).intersected(rect), dark ? QColor(90, 90, 90) : QColor(130, 130, 130));
        }
    }
}

} // namespace

void writeContactSheet(const QString& folder, const QString& pngPath, const QString& fontFamily)
{
    struct Item {
        QString name;
        QImage image;
        int zoom;
    };
    QList<Item> pages;
    for (PageId page : AllPages) {
        const QString name = QString::fromLatin1(nameOf(page).data()) + QStringLiteral(".bmp");
        pages.append({ name, readImage(folder + u'/' + name), 2 });
    }
    QList<Item> small;
    for (const ImageRoleRow& row : ImageRoleTable) {
        const QString name = QString::fromLatin1(row.fileName.data(), qsizetype(row.fileName.size()));
        small.append({ name, readImage(folder + u'/' + name), row.kind == ImageKind::TrueColourBitmap ? 2 : 4 });
    }

    const int pageWidth = PageWidth * 2;
    const int columns = 2;
    const int pageRows = int((pages.size() + columns - 1) / columns);
    const int width = Gap + columns * (pageWidth + Gap);
    const int pageBlock = PageHeight * 2 + LabelHeight + Gap;
    const int height
        = Gap + pageRows * pageBlock + 2 * (128 + LabelHeight + Gap) + BannerHeight * 2 + LabelHeight + Gap;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 48));
    QPainter painter(&sheet);
    QFont font(fontFamily);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::white);

    auto place = [&](const Item& item, int x, int y) {
        painter.drawText(QRect(x, y, 400, LabelHeight), Qt::AlignLeft | Qt::AlignVCenter, item.name);
        const QRect target(x, y + LabelHeight, item.image.width() * item.zoom, item.image.height() * item.zoom);
        if (item.image.hasAlphaChannel())
            drawChecker(painter, target);
        painter.drawImage(target, item.image); // scaled without smoothing: every pixel stays a square
        return target;
    };

    int y = Gap;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const int column = int(i % columns);
        place(pages[i], Gap + column * (pageWidth + Gap), y);
        if (column == columns - 1)
            y += pageBlock;
    }
    if (pages.size() % columns)
        y += pageBlock;

    int x = Gap;
    int rowHeight = 0;
    for (const Item& item : small) {
        const int w = item.image.width() * item.zoom;
        if (x + w > width - Gap) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        const QRect placed = place(item, x, y);
        x += std::max(w, 120) + Gap;
        rowHeight = std::max(rowHeight, placed.height() + LabelHeight);
    }
    painter.end();
    if (!sheet.copy(0, 0, width, std::min(height, y + rowHeight + Gap)).save(pngPath))
        throw std::runtime_error(qPrintable(pngPath + QStringLiteral(": cannot be written")));
}

} // namespace quelvara::tools
