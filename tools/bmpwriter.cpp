#include "bmpwriter.h"

#include "bytewriter.h"

namespace quelvara::tools {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;

void writeHeaders(ByteWriter& out, const QImage& image, int bitsPerPixel, int paletteEntries, int pixelsPerMetre)
{
    const int stride = strideOf(image.width(), bitsPerPixel);
    const std::uint32_t pixelBytes = std::uint32_t(stride * image.height());
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize + std::uint32_t(paletteEntries) * 4;

    out.u8('B');
    out.u8('M');
    out.u32(offset + pixelBytes);
    out.u16(0);
    out.u16(0);
    out.u32(offset);

    out.u32(InfoHeaderSize);
    out.i32(image.width());
    out.i32(image.height()); // positive: rows are stored bottom-up
    out.u16(1); // planes
    out.u16(std::uint16_t(bitsPerPixel));
    out.u32(0); // uncompressed
    out.u32(pixelBytes);
    out.i32(pixelsPerMetre);
    out.i32(pixelsPerMetre);
    out.u32(std::uint32_t(paletteEntries));
    out.u32(0); // every colour is important
}

} // namespace

QByteArray indexedBmp(const QImage& image, int pixelsPerMetre)
{
    Q_ASSERT(image.format() == QImage::Format_Indexed8);
    Q_ASSERT(image.colorCount() <= 256);

    ByteWriter out;
    writeHeaders(out, image, 8, 256, pixelsPerMetre);
    const QList<QRgb> colours = image.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out.u8(std::uint8_t(qBlue(colour)));
        out.u8(std::uint8_t(qGreen(colour)));
        out.u8(std::uint8_t(qRed(colour)));
        out.u8(0);
    }
    const int padding = strideOf(image.width(), 8) - image.width();
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar* row = image.constScanLine(y);
        out.bytes(QByteArray(reinterpret_cast<const char*>(row), image.width()));
        out.zeros(padding);
    }
    return out.result();
}

QByteArray trueColourBmp(const QImage& source, int pixelsPerMetre)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    ByteWriter out;
    writeHeaders(out, image, 24, 0, pixelsPerMetre);
    const int padding = strideOf(image.width(), 24) - image.width() * 3;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.u8(std::uint8_t(qBlue(row[x])));
            out.u8(std::uint8_t(qGreen(row[x])));
            out.u8(std::uint8_t(qRed(row[x])));
        }
        out.zeros(padding);
    }
    return out.result();
}

} // namespace quelvara::tools
