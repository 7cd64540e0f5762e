#include "iconwriter.h"

#include "bytewriter.h"

namespace quelvara::tools {

namespace {

constexpr int DirectoryHeaderSize = 6;
constexpr int DirectoryEntrySize = 16;
constexpr int InfoHeaderSize = 40;

int imageSize(const PixelGrid& grid)
{
    return InfoHeaderSize + 16 * 4 + strideOf(grid.size, 4) * grid.size + strideOf(grid.size, 1) * grid.size;
}

void writeImage(ByteWriter& out, const PixelGrid& grid)
{
    const int xorBytes = strideOf(grid.size, 4) * grid.size;
    const int andBytes = strideOf(grid.size, 1) * grid.size;

    out.u32(InfoHeaderSize);
    out.i32(grid.size);
    out.i32(grid.size * 2); // the XOR image and the AND mask stacked
    out.u16(1);
    out.u16(4);
    out.u32(0);
    out.u32(std::uint32_t(xorBytes + andBytes));
    out.i32(0);
    out.i32(0);
    out.u32(16);
    out.u32(0);
    for (QRgb colour : StandardPalette) {
        out.u8(std::uint8_t(qBlue(colour)));
        out.u8(std::uint8_t(qGreen(colour)));
        out.u8(std::uint8_t(qRed(colour)));
        out.u8(0);
    }

    // Transparent pixels are black in the XOR image and set in the mask, so
    // the screen beneath shows through unchanged.
    for (int y = grid.size - 1; y >= 0; --y) {
        for (int x = 0; x < grid.size; x += 2) {
            const int left = std::max(grid.at(x, y), 0);
            const int right = x + 1 < grid.size ? std::max(grid.at(x + 1, y), 0) : 0;
            out.u8(std::uint8_t(left << 4 | right));
        }
        out.zeros(strideOf(grid.size, 4) - (grid.size + 1) / 2);
    }
    for (int y = grid.size - 1; y >= 0; --y) {
        std::uint8_t byte = 0;
        int written = 0;
        for (int x = 0; x < grid.size; ++x) {
            if (grid.at(x, y) == Transparent)
                byte |= std::uint8_t(0x80 >> (x % 8));
            if (x % 8 == 7 || x == grid.size - 1) {
                out.u8(byte);
                ++written;
                byte = 0;
            }
        }
        out.zeros(strideOf(grid.size, 1) - written);
    }
}

QByteArray iconOrCursor(const std::vector<PixelGrid>& grids, bool cursor, int hotspotX, int hotspotY)
{
    ByteWriter out;
    out.u16(0);
    out.u16(cursor ? 2 : 1);
    out.u16(std::uint16_t(grids.size()));

    int offset = DirectoryHeaderSize + DirectoryEntrySize * int(grids.size());
    for (const PixelGrid& grid : grids) {
        out.u8(std::uint8_t(grid.size % 256));
        out.u8(std::uint8_t(grid.size % 256));
        out.u8(16);
        out.u8(0);
        // An icon stores planes and bit count here; a cursor its hotspot.
        out.u16(std::uint16_t(cursor ? hotspotX : 1));
        out.u16(std::uint16_t(cursor ? hotspotY : 4));
        out.u32(std::uint32_t(imageSize(grid)));
        out.u32(std::uint32_t(offset));
        offset += imageSize(grid);
    }
    for (const PixelGrid& grid : grids)
        writeImage(out, grid);
    return out.result();
}

} // namespace

QByteArray iconFile(const std::vector<PixelGrid>& grids) { return iconOrCursor(grids, false, 0, 0); }

QByteArray cursorFile(const PixelGrid& grid, int hotspotX, int hotspotY)
{
    return iconOrCursor({ grid }, true, hotspotX, hotspotY);
}

} // namespace quelvara::tools
