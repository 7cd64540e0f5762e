// Builds every picture the program carries from its editable sources:
//   quelvara-assets generate --sources DIR --out DIR --font FILE --bold-font FILE
//   quelvara-assets contact-sheet --in DIR --out FILE.png --font FILE
//   quelvara-assets spoken-text --sources DIR --page NAME
// Run it with the offscreen platform; it needs no display.
#include "banner.h"
#include "bmpwriter.h"
#include "contactsheet.h"
#include "iconwriter.h"
#include "imageroles.h"
#include "pagegeometry.h"
#include "pagerenderer.h"
#include "palette.h"
#include "pixelgrid.h"
#include "tables.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

using namespace quelvara;
using namespace quelvara::tools;

namespace {

constexpr quint32 BannerSeed = 0x51E1A7A5;

class Failure {
public:
    explicit Failure(QString message)
        : text(std::move(message))
    {
    }
    QString text;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString()));
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(QStringLiteral("%1: cannot be written: %2").arg(path, file.errorString()));
}

QString loadFont(const QString& path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty())
        throw Failure(QStringLiteral("%1: not a usable font").arg(path));
    return families.first();
}

QString fileStem(std::string_view fileName)
{
    const QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    return name.left(name.lastIndexOf(u'.'));
}

// Every pixel outside the margins, and under each hand shown on the page,
// must be background.
void checkPageLayout(PageId page, const QImage& image, const QString& path)
{
    auto background = [&](int x, int y) { return image.pixelIndex(x, y) == 0; };
    for (int y = 0; y < PageHeight; ++y) {
        for (int x = 0; x < PageWidth; ++x) {
            const bool inMargin
                = x < PageMargin || y < PageMargin || x >= PageWidth - PageMargin || y >= PageHeight - PageMargin;
            if (inMargin && !background(x, y))
                throw Failure(QStringLiteral("%1: something is drawn at (%2, %3), inside the %4 px margin")
                                  .arg(path)
                                  .arg(x)
                                  .arg(y)
                                  .arg(PageMargin));
        }
    }
    for (ArrowId arrow : AllArrows) {
        if (!arrowSetOf(page).contains(arrow))
            continue;
        const int left = arrowLeft(sideOf(arrow));
        for (int y = ArrowTop; y < PageHeight; ++y) {
            for (int x = left; x < std::min(left + ArrowSize, PageWidth); ++x) {
                if (!background(x, y))
                    throw Failure(QStringLiteral("%1: something is drawn at (%2, %3), under the hand %4")
                                      .arg(path)
                                      .arg(x)
                                      .arg(y)
                                      .arg(QString::fromLatin1(nameOf(arrow).data())));
            }
        }
    }
}

// "Tk1.bmp" at the real size, "Tk1@2x.bmp" at twice the resolution.
QString scaleSuffix(int scale) { return scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale); }

QHash<QString, QByteArray> readDrawings(const QString& folder)
{
    QHash<QString, QByteArray> drawings;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({ QStringLiteral("*.svg") }, QDir::Files, QDir::Name))
        drawings.insert(name.chopped(4), readFile(dir.filePath(name)));
    return drawings;
}

void generatePages(const QString& sources, const QString& out, const QString& family)
{
    const QHash<QString, QByteArray> drawings = readDrawings(sources + QStringLiteral("/drawings"));
    for (PageId page : AllPages) {
        const QString name = QString::fromLatin1(nameOf(page).data());
        const QString sourcePath = QStringLiteral("%1/pages/%2.page").arg(sources, name);
        QString error;
        const auto source = parsePageSource(QString::fromUtf8(readFile(sourcePath)), &error);
        if (!source)
            throw Failure(sourcePath + QStringLiteral(": ") + error);
        // The same source at twice the resolution serves high-density
        // screens; its layout is the same, so only the real size is checked.
        for (int scale : { 1, 2 }) {
            const QImage rendered = renderPage(*source, drawings, PageStyle { family, scale }, &error);
            if (rendered.isNull())
                throw Failure(sourcePath + QStringLiteral(": ") + error);
            // Black first, so index 0 is the background; the body green and
            // white stay exact.
            const QImage indexed = quantize(rendered, { qRgb(0, 0, 0), qRgb(0, 0x80, 0), qRgb(0xFF, 0xFF, 0xFF) });
            if (scale == 1)
                checkPageLayout(page, indexed, sourcePath);
            writeFile(QStringLiteral("%1/%2%3.bmp").arg(out, name, scaleSuffix(scale)),
                indexedBmp(indexed, PagePixelsPerMetre * scale));
        }
    }
}

std::vector<PixelGrid> iconGrids(const QString& folder, const QString& stem)
{
    const QString path = QStringLiteral("%1/%2.icon").arg(folder, stem);
    QString error;
    const auto source = parsePixelSource(QString::fromUtf8(readFile(path)), &error);
    if (!source)
        throw Failure(path + QStringLiteral(": ") + error);
    if (!source->mirrorOf.isEmpty()) {
        std::vector<PixelGrid> grids = iconGrids(folder, source->mirrorOf);
        for (PixelGrid& grid : grids)
            grid = grid.mirrored();
        return grids;
    }
    std::vector<PixelGrid> grids;
    for (int size : { 32, 16 }) {
        const PixelGrid* grid = source->grid(size);
        if (!grid)
            throw Failure(QStringLiteral("%1: there is no %2×%2 grid").arg(path).arg(size));
        if (std::count(grid->pixels.begin(), grid->pixels.end(), CursorFill) > 0)
            throw Failure(QStringLiteral("%1: '#' belongs in cursors only").arg(path));
        grids.push_back(*grid);
    }
    if (source->grids.size() != 2)
        throw Failure(QStringLiteral("%1: an icon has exactly a 32×32 and a 16×16 grid").arg(path));
    return grids;
}

void generateIconsAndCursors(const QString& sources, const QString& out)
{
    const QString folder = sources + QStringLiteral("/icons");
    for (const ImageRoleRow& row : ImageRoleTable) {
        if (row.kind != ImageKind::Icon)
            continue;
        const QString stem = fileStem(row.fileName);
        writeFile(QStringLiteral("%1/%2.ico").arg(out, stem), iconFile(iconGrids(folder, stem)));
    }

    // The book is also the program's icon on the desktop: PNGs from the same
    // grids, the 64 × 64 one the 32 × 32 grid with every pixel doubled.
    const std::vector<PixelGrid> book = iconGrids(folder, QStringLiteral("book"));
    for (const auto& [size, grid] : { std::pair(16, &book[1]), std::pair(32, &book[0]), std::pair(64, &book[0]) }) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        grid->toImage().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(&buffer, "PNG");
        writeFile(QStringLiteral("%1/book-%2.png").arg(out).arg(size), png);
    }

    const QString path = folder + QStringLiteral("/arrow.cursor");
    QString error;
    const auto source = parsePixelSource(QString::fromUtf8(readFile(path)), &error);
    if (!source)
        throw Failure(path + QStringLiteral(": ") + error);
    const PixelGrid* grid = source->grid(32);
    if (!grid || source->grids.size() != 1 || !source->hotspot)
        throw Failure(path + QStringLiteral(": a cursor has one 32×32 grid and a hotspot"));
    const auto [hotX, hotY] = *source->hotspot;
    if (grid->at(hotX, hotY) == Transparent)
        throw Failure(path + QStringLiteral(": the hotspot is on a transparent pixel"));
    constexpr int RedIndex = 9;
    constexpr int BlackIndex = 0;
    writeFile(out + QStringLiteral("/cursor-red.cur"), cursorFile(grid->filled(RedIndex), hotX, hotY));
    writeFile(out + QStringLiteral("/cursor-black.cur"), cursorFile(grid->filled(BlackIndex), hotX, hotY));
}

void generate(const QCommandLineParser& options)
{
    const QString sources = options.value(QStringLiteral("sources"));
    const QString out = options.value(QStringLiteral("out"));
    if (!QDir().mkpath(out))
        throw Failure(out + QStringLiteral(": cannot be created"));
    const QString family = loadFont(options.value(QStringLiteral("font")));
    // The banner's letters are the bold face of the same family.
    loadFont(options.value(QStringLiteral("bold-font")));

    generatePages(sources, out, family);
    for (int scale : { 1, 2 }) {
        const QImage banner
            = renderBanner(QStringLiteral("Quelvara"), QStringLiteral("1.01"), family, BannerSeed, scale);
        writeFile(QStringLiteral("%1/banner%2.bmp").arg(out, scaleSuffix(scale)),
            trueColourBmp(banner, BannerPixelsPerMetre * scale));
    }
    generateIconsAndCursors(sources, out);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    options.addPositionalArgument(QStringLiteral("command"), QStringLiteral("generate or contact-sheet"));
    options.addOption({ QStringLiteral("sources"), QStringLiteral("Folder with pages/, drawings/ and icons/."),
        QStringLiteral("dir") });
    options.addOption({ QStringLiteral("out"), QStringLiteral("Output folder or file."), QStringLiteral("path") });
    options.addOption({ QStringLiteral("in"), QStringLiteral("Folder of generated pictures."), QStringLiteral("dir") });
    options.addOption(
        { QStringLiteral("page"), QStringLiteral("A page's name, for spoken-text."), QStringLiteral("name") });
    options.addOption({ QStringLiteral("font"), QStringLiteral("Regular typeface file."), QStringLiteral("file") });
    options.addOption({ QStringLiteral("bold-font"), QStringLiteral("Bold typeface file."), QStringLiteral("file") });
    options.process(app);

    try {
        const QString command = options.positionalArguments().value(0);
        if (command == u"generate") {
            generate(options);
        } else if (command == u"spoken-text") {
            // What a screen reader should read for one page: its title, then
            // its spoken text.
            const QString page = options.value(QStringLiteral("page"));
            const QString path = QStringLiteral("%1/pages/%2.page").arg(options.value(QStringLiteral("sources")), page);
            QString error;
            const auto source = parsePageSource(QString::fromUtf8(readFile(path)), &error);
            if (!source)
                throw Failure(path + QStringLiteral(": ") + error);
            std::printf("%s\n%s\n", qUtf8Printable(source->title), qUtf8Printable(spokenTextOf(*source)));
        } else if (command == u"contact-sheet") {
            const QString family = loadFont(options.value(QStringLiteral("font")));
            writeContactSheet(options.value(QStringLiteral("in")), options.value(QStringLiteral("out")), family);
        } else {
            throw Failure(
                QStringLiteral("unknown command \"%1\"; use generate, contact-sheet or spoken-text").arg(command));
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "quelvara-assets: %s\n", qUtf8Printable(failure.text));
        return 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quelvara-assets: %s\n", failure.what());
        return 1;
    }
    return 0;
}
