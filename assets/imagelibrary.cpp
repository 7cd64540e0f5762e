#include "imagelibrary.h"

#include "pagegeometry.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

namespace quelvara {

namespace {

class LoadFailure {
public:
    QString text;
};

QString scaleSuffix(int scale) { return scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale); }

[[noreturn]] void fail(const QString& fileName, const QString& what)
{
    throw LoadFailure { QStringLiteral("%1: %2").arg(fileName, what) };
}

quint16 u16At(const QByteArray& bytes, qsizetype at) { return quint16(uchar(bytes[at]) | uchar(bytes[at + 1]) << 8); }

QByteArray bytesOf(const ImageLibrary::ByteSource& source, const QString& fileName)
{
    const std::optional<QByteArray> bytes = source(fileName);
    if (!bytes)
        fail(fileName, QStringLiteral("chýba"));
    if (bytes->isEmpty())
        fail(fileName, QStringLiteral("je prázdny"));
    return *bytes;
}

void checkBitmapHeader(const QString& fileName, const QByteArray& bytes, int bitsPerPixel)
{
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        fail(fileName, QStringLiteral("nie je súbor BMP"));
    const int depth = u16At(bytes, 28);
    if (depth != bitsPerPixel)
        fail(fileName,
            QStringLiteral("nesprávna farebná hĺbka: %1 bitov na pixel namiesto %2").arg(depth).arg(bitsPerPixel));
}

// The directory of an ICO (type 1) or CUR (type 2) file.
void checkIconHeader(const QString& fileName, const QByteArray& bytes, int type)
{
    if (bytes.size() < 22 || u16At(bytes, 0) != 0 || u16At(bytes, 2) != type)
        fail(fileName, type == 1 ? QStringLiteral("nie je súbor ICO") : QStringLiteral("nie je súbor CUR"));
}

void checkSize(const QString& fileName, const QImage& image, int width, int height)
{
    if (image.width() != width || image.height() != height)
        fail(fileName,
            QStringLiteral("nesprávny rozmer: %1 × %2 namiesto %3 × %4")
                .arg(image.width())
                .arg(image.height())
                .arg(width)
                .arg(height));
}

QImage decodeBitmap(
    const QString& fileName, const QByteArray& bytes, int bitsPerPixel, int width, int height, int scale)
{
    checkBitmapHeader(fileName, bytes, bitsPerPixel);
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    if (image.isNull())
        fail(fileName, QStringLiteral("nedá sa dekódovať (%1)").arg(reader.errorString()));
    checkSize(fileName, image, width * scale, height * scale);
    // Kept in the format the screen draws from, so showing a page is a plain
    // copy of its pixels and never a conversion.
    image.convertTo(QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    return image;
}

// Every image of an icon or cursor file, by its width.
std::vector<QImage> decodeIconImages(const QString& fileName, const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    if (!reader.canRead() && reader.error() == QImageReader::UnsupportedFormatError) {
        // Asking for every format loads every image plugin, so it is only
        // done to tell a missing plugin from a bad file.
        if (!QImageReader::supportedImageFormats().contains(format))
            throw LoadFailure { QStringLiteral("chýba zásuvný modul Qt na čítanie súborov %1")
                                    .arg(QString::fromLatin1(format).toUpper()) };
    }
    std::vector<QImage> images;
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            fail(fileName, QStringLiteral("obrázok č. %1 sa nedá načítať").arg(i + 1));
        QImage image = reader.read();
        if (image.isNull())
            fail(fileName, QStringLiteral("nedá sa dekódovať (%1)").arg(reader.errorString()));
        images.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    if (images.empty())
        fail(fileName, QStringLiteral("nedá sa dekódovať (%1)").arg(reader.errorString()));
    return images;
}

QImage imageOfSize(const QString& fileName, const std::vector<QImage>& images, int size)
{
    for (const QImage& image : images) {
        if (image.width() == size && image.height() == size)
            return image;
    }
    fail(fileName, QStringLiteral("neobsahuje obrázok %1 × %1").arg(size));
}

} // namespace

QString ImageLibrary::fileNameOf(PageId page, int scale)
{
    return QString::fromLatin1(nameOf(page).data()) + scaleSuffix(scale) + QStringLiteral(".bmp");
}

QString ImageLibrary::fileNameOf(ImageRole role, int scale)
{
    const std::string_view name = imageRoleRow(role).fileName;
    QString fileName = QString::fromLatin1(name.data(), qsizetype(name.size()));
    if (imageRoleRow(role).kind == ImageKind::TrueColourBitmap)
        fileName.insert(fileName.lastIndexOf(u'.'), scaleSuffix(scale));
    return fileName;
}

QPoint ImageLibrary::hotspot(ImageRole cursor) const
{
    return cursor == ImageRole::BlackCursor ? m_blackHotspot : m_redHotspot;
}

std::unique_ptr<ImageLibrary> ImageLibrary::load(QString* error)
{
    // Screens of twice the density or more get the pictures drawn for them;
    // every other screen the real-size ones alone.
    const auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    const int scale = application && application->devicePixelRatio() >= 2.0 ? 2 : 1;
    return loadFrom(
        [](const QString& fileName) -> std::optional<QByteArray> {
            QFile file(QStringLiteral(":/images/") + fileName);
            if (!file.open(QIODevice::ReadOnly))
                return std::nullopt;
            return file.readAll();
        },
        error, scale);
}

std::unique_ptr<ImageLibrary> ImageLibrary::loadFrom(const ByteSource& source, QString* error, int scale)
{
    std::unique_ptr<ImageLibrary> library(new ImageLibrary);
    library->m_scale = scale;
    try {
        for (PageId page : AllPages) {
            const QString fileName = fileNameOf(page, scale);
            library->m_pages[indexOf(page)]
                = decodeBitmap(fileName, bytesOf(source, fileName), 8, PageWidth, PageHeight, scale);
        }

        for (const ImageRoleRow& row : ImageRoleTable) {
            const QString fileName = fileNameOf(row.role, scale);
            const QByteArray bytes = bytesOf(source, fileName);
            QImage& image = library->m_images[std::size_t(row.role)];
            switch (row.kind) {
            case ImageKind::TrueColourBitmap:
                image = decodeBitmap(fileName, bytes, 24, row.width, row.height, scale);
                break;
            case ImageKind::Icon: {
                checkIconHeader(fileName, bytes, 1);
                const std::vector<QImage> images = decodeIconImages(fileName, bytes, "ico");
                image = imageOfSize(fileName, images, row.width);
                if (row.role == ImageRole::Book)
                    library->m_smallBook = imageOfSize(fileName, images, 16);
                break;
            }
            case ImageKind::Cursor: {
                checkIconHeader(fileName, bytes, 2);
                image = imageOfSize(fileName, decodeIconImages(fileName, bytes, "cur"), row.width);
                // A cursor's directory entry keeps the hotspot where an icon
                // keeps planes and bit count.
                const QPoint hotspot(u16At(bytes, 10), u16At(bytes, 12));
                if (!image.rect().contains(hotspot))
                    fail(fileName, QStringLiteral("aktívny bod leží mimo kurzora"));
                (row.role == ImageRole::BlackCursor ? library->m_blackHotspot : library->m_redHotspot) = hotspot;
                break;
            }
            }
        }
    } catch (const LoadFailure& failure) {
        *error = failure.text;
        return nullptr;
    }
    return library;
}

} // namespace quelvara
