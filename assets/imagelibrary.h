// ImageLibrary decodes every picture the program carries, once, and keeps
// them for the whole run.
//
// The pictures are complete BMP, ICO and CUR files built into the program.
// Loading checks each one's format, decodes it with Qt's readers and checks
// its size; the first failure is reported with the file's name and what is
// wrong, in Slovak like the rest of the program, and then no library is made. A library that exists holds every
// picture at its stated size, so a look-up never fails.
#pragma once

#include "identifiers.h"
#include "imageroles.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace quelvara {

class ImageLibrary final {
public:
    // Gives the bytes of a picture by file name ("Tk1.bmp", "book.ico"), or
    // nothing if there is no such file.
    using ByteSource = std::function<std::optional<QByteArray>(const QString& fileName)>;

    // Decodes the pictures built into the program, at the resolution the
    // application's screens ask for.
    static std::unique_ptr<ImageLibrary> load(QString* error);
    // scale 2 takes the pages and the banner drawn at twice the resolution
    // ("Tk1@2x.bmp") instead of the real-size ones; icons and cursors are
    // pixel art and stay as they are.
    static std::unique_ptr<ImageLibrary> loadFrom(const ByteSource& source, QString* error, int scale = 1);

    static QString fileNameOf(PageId page, int scale = 1);
    static QString fileNameOf(ImageRole role, int scale = 1);

    // 405 × 253 device-independent pixels in 32-bit RGB, ready to draw; at
    // scale 2 the image has twice the pixels and a device pixel ratio of 2.
    const QImage& page(PageId page) const { return m_pages[indexOf(page)]; }
    // The banner at 405 × 37, scaled like the pages; an icon or cursor at
    // 32 × 32 with its mask as alpha.
    const QImage& image(ImageRole role) const { return m_images[std::size_t(role)]; }
    int scale() const { return m_scale; }
    // The book's 16 × 16 image, for small window icons.
    const QImage& smallBook() const { return m_smallBook; }
    // Where a cursor's pointer is, from the cursor file.
    QPoint hotspot(ImageRole cursor) const;

private:
    ImageLibrary() = default;

    std::array<QImage, PageCount> m_pages;
    std::array<QImage, ImageRoleTable.size()> m_images;
    QImage m_smallBook;
    int m_scale { 1 };
    QPoint m_redHotspot;
    QPoint m_blackHotspot;
};

} // namespace quelvara
