// The pictures the program carries besides the ten pages, each with the name
// of the file it is built into the program as.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quelvara {

enum class ImageRole { Banner, HandRight, HandLeft, Tap, Eye, Aeroplane, Barrel, Book, RedCursor, BlackCursor };

enum class ImageKind { TrueColourBitmap, Icon, Cursor };

struct ImageRoleRow {
    ImageRole role;
    std::string_view fileName;
    ImageKind kind;
    int width;
    int height;
};

inline constexpr std::array<ImageRoleRow, 10> ImageRoleTable { {
    { ImageRole::Banner, "banner.bmp", ImageKind::TrueColourBitmap, 405, 37 },
    { ImageRole::HandRight, "hand-right.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::HandLeft, "hand-left.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::Tap, "tap.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::Eye, "eye.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::Aeroplane, "aeroplane.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::Barrel, "barrel.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::Book, "book.ico", ImageKind::Icon, 32, 32 },
    { ImageRole::RedCursor, "cursor-red.cur", ImageKind::Cursor, 32, 32 },
    { ImageRole::BlackCursor, "cursor-black.cur", ImageKind::Cursor, 32, 32 },
} };

constexpr const ImageRoleRow& imageRoleRow(ImageRole role) { return ImageRoleTable[static_cast<std::size_t>(role)]; }

// Page bitmaps: 3780 pixels per metre (96 dpi); the banner: 2834 (72 dpi).
inline constexpr int PagePixelsPerMetre = 3780;
inline constexpr int BannerPixelsPerMetre = 2834;

} // namespace quelvara
