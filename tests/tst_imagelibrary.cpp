#include "imagelibrary.h"
#include "pagegeometry.h"
#include "tables.h"

#include <QFile>
#include <QTest>

using namespace quelvara;

namespace {

QByteArray builtIn(const QString& fileName)
{
    QFile file(QStringLiteral(":/images/") + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putU16(QByteArray& bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void putU32(QByteArray& bytes, qsizetype at, quint32 value)
{
    putU16(bytes, at, quint16(value));
    putU16(bytes, at + 2, quint16(value >> 16));
}

// An icon file holding only the second, 16 × 16 image of the given one.
QByteArray withoutLargeImage(const QByteArray& icon)
{
    const qsizetype entry = 6 + 16;
    const quint32 size = quint32(uchar(icon[entry + 8])) | quint32(uchar(icon[entry + 9])) << 8;
    const quint32 offset = quint32(uchar(icon[entry + 12])) | quint32(uchar(icon[entry + 13])) << 8;
    QByteArray result = icon.left(6) + icon.mid(entry, 16) + icon.mid(offset, size);
    putU16(result, 4, 1);
    putU32(result, 6 + 12, 22);
    return result;
}

} // namespace

class TestImageLibrary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyPictureDecodesToItsSize();
    void maskedPixelsAreTransparent_data();
    void maskedPixelsAreTransparent();
    void arrowCornersShowOnlyBackground();
    void badBytesAreReportedByName_data();
    void badBytesAreReportedByName();
};

void TestImageLibrary::everyPictureDecodesToItsSize()
{
    QString error;
    const auto library = ImageLibrary::load(&error);
    QVERIFY2(library, qPrintable(error));
    for (PageId page : AllPages) {
        const QImage& image = library->page(page);
        QCOMPARE(image.size(), QSize(PageWidth, PageHeight));
        QCOMPARE(image.format(), QImage::Format_RGB32);
    }
    for (const ImageRoleRow& row : ImageRoleTable) {
        const QImage& image = library->image(row.role);
        QVERIFY2(!image.isNull(), row.fileName.data());
        QCOMPARE(image.size(), QSize(row.width, row.height));
        QCOMPARE(image.hasAlphaChannel(), row.kind != ImageKind::TrueColourBitmap);
    }
    QCOMPARE(library->smallBook().size(), QSize(16, 16));
    QCOMPARE(library->hotspot(ImageRole::RedCursor), QPoint(0, 0));
    QCOMPARE(library->hotspot(ImageRole::BlackCursor), QPoint(0, 0));
}

void TestImageLibrary::maskedPixelsAreTransparent_data()
{
    QTest::addColumn<ImageRole>("role");
    for (const ImageRoleRow& row : ImageRoleTable) {
        if (row.kind != ImageKind::TrueColourBitmap)
            QTest::addRow("%s", row.fileName.data()) << row.role;
    }
}

// The decoded alpha follows the file's AND mask pixel for pixel, so over a
// page the masked pixels show the page, not a box.
void TestImageLibrary::maskedPixelsAreTransparent()
{
    QFETCH(ImageRole, role);
    QString error;
    const auto library = ImageLibrary::load(&error);
    QVERIFY2(library, qPrintable(error));
    const QImage& image = library->image(role);
    const QByteArray file = builtIn(ImageLibrary::fileNameOf(role));
    const qsizetype image32 = qsizetype(uchar(file[18])) | qsizetype(uchar(file[19])) << 8;
    const qsizetype mask = image32 + 40 + 64 + 512;

    int transparent = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool masked = uchar(file[mask + (31 - y) * 4 + x / 8]) & (0x80 >> (x % 8));
            QCOMPARE(qAlpha(image.pixel(x, y)) == 0, masked);
            transparent += masked ? 1 : 0;
        }
    }
    QVERIFY(transparent > 0);
}

void TestImageLibrary::arrowCornersShowOnlyBackground()
{
    QString error;
    const auto library = ImageLibrary::load(&error);
    QVERIFY2(library, qPrintable(error));
    for (PageId page : AllPages) {
        const QImage& image = library->page(page);
        for (ArrowId arrow : AllArrows) {
            if (!arrowSetOf(page).contains(arrow))
                continue;
            const int left = arrowLeft(sideOf(arrow));
            for (int y = ArrowTop; y < PageHeight; ++y) {
                for (int x = left; x < std::min(left + ArrowSize, PageWidth); ++x) {
                    if (image.pixel(x, y) != qRgb(0, 0, 0))
                        QFAIL(qPrintable(QStringLiteral("%1 under %2 at (%3, %4)")
                                             .arg(ImageLibrary::fileNameOf(page))
                                             .arg(QString::fromLatin1(nameOf(arrow).data()))
                                             .arg(x)
                                             .arg(y)));
                }
            }
        }
    }
}

void TestImageLibrary::badBytesAreReportedByName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("error");
    // The messages are shown to the user, in Slovak.

    const QByteArray tk1 = builtIn(QStringLiteral("Tk1.bmp"));
    QByteArray narrow = builtIn(QStringLiteral("Vlas.bmp"));
    putU32(narrow, 18, 404);
    QByteArray wrongMagic = builtIn(QStringLiteral("banner.bmp"));
    wrongMagic[0] = 'X';
    QByteArray garbage = builtIn(QStringLiteral("hand-left.ico"));
    for (qsizetype i = 6; i < garbage.size(); ++i)
        garbage[i] = char((i * 131) % 251);

    QTest::addRow("truncated page") << "Tk1.bmp" << tk1.left(500) << true << "Tk1.bmp: nedá sa dekódovať";
    QTest::addRow("page header only") << "Tk2.bmp" << tk1.left(54) << true << "Tk2.bmp: nedá sa dekódovať";
    QTest::addRow("wrong magic") << "banner.bmp" << wrongMagic << true << "banner.bmp: nie je súbor BMP";
    QTest::addRow("wrong dimensions") << "Vlas.bmp" << narrow << true
                                      << "Vlas.bmp: nesprávny rozmer: 404 × 253 namiesto 405 × 253";
    QTest::addRow("page with the banner's depth") << "Az1.bmp" << builtIn(QStringLiteral("banner.bmp")) << true
                                                  << "Az1.bmp: nesprávna farebná hĺbka: 24 bitov na pixel namiesto 8";
    QTest::addRow("banner with a page's depth")
        << "banner.bmp" << tk1 << true << "banner.bmp: nesprávna farebná hĺbka: 8 bitov na pixel namiesto 24";
    QTest::addRow("icon without its 32x32 image") << "tap.ico" << withoutLargeImage(builtIn(QStringLiteral("tap.ico")))
                                                  << true << "tap.ico: neobsahuje obrázok 32 × 32";
    QTest::addRow("icon of random bytes") << "hand-left.ico" << garbage << true << "hand-left.ico:";
    QTest::addRow("empty icon") << "eye.ico" << QByteArray() << true << "eye.ico: je prázdny";
    QTest::addRow("missing icon") << "book.ico" << QByteArray() << false << "book.ico: chýba";
    QTest::addRow("missing page") << "ab.bmp" << QByteArray() << false << "ab.bmp: chýba";
    QTest::addRow("icon given as cursor")
        << "cursor-red.cur" << builtIn(QStringLiteral("eye.ico")) << true << "cursor-red.cur: nie je súbor CUR";
    QTest::addRow("cursor given as icon")
        << "barrel.ico" << builtIn(QStringLiteral("cursor-black.cur")) << true << "barrel.ico: nie je súbor ICO";
}

void TestImageLibrary::badBytesAreReportedByName()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, present);
    QFETCH(QString, error);

    const ImageLibrary::ByteSource source = [&](const QString& name) -> std::optional<QByteArray> {
        if (name == fileName) {
            if (!present)
                return std::nullopt;
            return bytes;
        }
        return builtIn(name);
    };
    QString reported;
    const auto library = ImageLibrary::loadFrom(source, &reported);
    QVERIFY(!library);
    QVERIFY2(reported.startsWith(error), qPrintable(reported));
}

QTEST_GUILESS_MAIN(TestImageLibrary)
#include "tst_imagelibrary.moc"
