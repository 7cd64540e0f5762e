// The fixed layout of the window A, as designed: every element with its
// place in twips (1/1440 inch; 15 twips make a pixel at 96 dpi), its
// picture, colours and cursor. The window is built from these tables once,
// and the tests walk the same tables to check what was built.
#pragma once

#include "entrystyle.h"
#include "identifiers.h"
#include "imageroles.h"

#include <QLine>
#include <QPoint>
#include <QRect>

#include <array>
#include <optional>
#include <string_view>

namespace quelvara::layout {

inline constexpr int TwipsPerPixel = 15;

constexpr int px(int twips) { return twips / TwipsPerPixel; }
constexpr QRect px(int left, int top, int width, int height) { return QRect(px(left), px(top), px(width), px(height)); }

struct WindowRow {
    std::string_view title;
    int clientWidth;
    int clientHeight;
    int left;
    int top;
    ColourWord background;
    ImageRole icon;
    ImageRole cursor;
};

inline constexpr WindowRow Window { "Quelvara", 9210, 4950, 1395, 2010, SystemDesktop, ImageRole::Book,
    ImageRole::RedCursor };

// Framed picture boxes: a sunken border 2 px wide around an inner area that
// shows a bitmap unscaled at its top-left.
inline constexpr int FrameWidth = 2;

struct PictureRow {
    std::string_view name;
    int left, top, width, height;
    std::optional<ColourWord> background; // none: the bitmap covers it
};

inline constexpr PictureRow Picture2 { "Picture2", 120, 120, 6135, 615, std::nullopt };
inline constexpr PictureRow Picture1 { "Picture1", 120, 960, 6135, 3855, Black };

// Arrows sit inside Picture1, relative to its inner top-left corner.
inline constexpr int IconTwips = 480;

struct ArrowPlacement {
    ArrowId arrow;
    int left, top;
};

inline constexpr std::array<ArrowPlacement, ArrowCount> Arrows { {
    { ArrowId::I1, 5640, 3360 },
    { ArrowId::I2, 5640, 3360 },
    { ArrowId::I3, 0, 3360 },
    { ArrowId::I4, 0, 3360 },
    { ArrowId::I5, 5640, 3360 },
    { ArrowId::I6, 5640, 3360 },
    { ArrowId::I7, 0, 3360 },
    { ArrowId::I8, 0, 3360 },
} };

// Menu entries: opaque labels, text from the top-left, wrapping at spaces and
// clipped by the label's height.
struct EntryFont {
    std::string_view family;
    int weight;
    bool underline;
    bool italic;
};

inline constexpr EntryFont MenuFont { "Orbit-B BT", 700, true, false };

struct EntryRow {
    EntryId entry;
    int left, top, width, height;
    ColourWord background;
    ImageRole cursor;
};

// In the order of the design's table: the column reads About, the five
// content entries, Exit.
inline constexpr std::array<EntryRow, EntryCount> Entries { {
    { EntryId::Label5, 7080, 240, 1335, 375, Black, ImageRole::BlackCursor },
    { EntryId::Label1, 6840, 1200, 2295, 375, Black, ImageRole::RedCursor },
    { EntryId::Label2, 7080, 1800, 1695, 375, Black, ImageRole::RedCursor },
    { EntryId::Label3, 6840, 2280, 2055, 375, Black, ImageRole::RedCursor },
    { EntryId::Label4, 6720, 2880, 2295, 375, Black, ImageRole::RedCursor },
    { EntryId::Label7, 6840, 3480, 2175, 375, Black, ImageRole::RedCursor },
    { EntryId::Label6, 7320, 4440, 615, 375, SystemButtonText, ImageRole::RedCursor },
} };

// Decorative icons: always shown, never clicked.
struct IconRow {
    std::string_view name;
    ImageRole picture;
    int left, top;
};

inline constexpr std::array<IconRow, 4> Icons { {
    { "Image1", ImageRole::Tap, 6360, 1320 },
    { "Image2", ImageRole::Eye, 8640, 120 },
    { "Image3", ImageRole::Aeroplane, 8160, 4440 },
    { "Image4", ImageRole::Barrel, 6360, 3720 },
} };

// Red rules, 1 px wide, from (x1, y1) to (x2, y2), both end points drawn.
inline constexpr ColourWord RuleColour = Red;

struct RuleRow {
    std::string_view name;
    int x1, y1, x2, y2;
};

inline constexpr std::array<RuleRow, 5> Rules { {
    { "Line1", 6360, 120, 6360, 4800 },
    { "Line2", 0, 0, 2280, 0 },
    { "Line3", 6720, 840, 9000, 840 },
    { "Line4", 120, 840, 6240, 840 },
    { "Line5", 6720, 4200, 9000, 4200 },
} };

constexpr QRect pixelRect(const PictureRow& row) { return px(row.left, row.top, row.width, row.height); }
constexpr QRect pixelRect(const EntryRow& row) { return px(row.left, row.top, row.width, row.height); }
constexpr QRect pixelRect(const ArrowPlacement& row) { return px(row.left, row.top, IconTwips, IconTwips); }
constexpr QRect pixelRect(const IconRow& row) { return px(row.left, row.top, IconTwips, IconTwips); }
constexpr QLine pixelLine(const RuleRow& row) { return QLine(px(row.x1), px(row.y1), px(row.x2), px(row.y2)); }

const EntryRow& entryRow(EntryId entry);
const ArrowPlacement& arrowPlacement(ArrowId arrow);

// Every position of the design is a whole number of pixels.
constexpr bool allWholePixels()
{
    auto whole = [](int twips) { return twips % TwipsPerPixel == 0; };
    bool ok = whole(Window.clientWidth) && whole(Window.clientHeight) && whole(Window.left) && whole(Window.top);
    for (const PictureRow& row : { Picture1, Picture2 })
        ok = ok && whole(row.left) && whole(row.top) && whole(row.width) && whole(row.height);
    for (const ArrowPlacement& row : Arrows)
        ok = ok && whole(row.left) && whole(row.top);
    for (const EntryRow& row : Entries)
        ok = ok && whole(row.left) && whole(row.top) && whole(row.width) && whole(row.height);
    for (const IconRow& row : Icons)
        ok = ok && whole(row.left) && whole(row.top);
    for (const RuleRow& row : Rules)
        ok = ok && whole(row.x1) && whole(row.y1) && whole(row.x2) && whole(row.y2);
    return ok && whole(IconTwips);
}
static_assert(allWholePixels());

} // namespace quelvara::layout
