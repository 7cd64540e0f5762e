// The eight arrow hotspots in their fixed order: on which side of the page
// each sits, which hand it shows, on which page it is visible and where it
// leads.
#pragma once

#include "identifiers.h"

#include <array>

namespace quelvara {

enum class Side { Left, Right };
enum class HandPicture { PointingLeft, PointingRight };

struct ArrowRow {
    ArrowId arrow;
    Side side;
    HandPicture picture;
    PageId visibleOn;
    PageId leadsTo;
};

inline constexpr std::array<ArrowRow, ArrowCount> ArrowTable { {
    { ArrowId::I1, Side::Right, HandPicture::PointingRight, PageId::Tk1, PageId::Tk2 },
    { ArrowId::I2, Side::Right, HandPicture::PointingRight, PageId::Tk2, PageId::Tk3 },
    { ArrowId::I3, Side::Left, HandPicture::PointingLeft, PageId::Tk2, PageId::Tk1 },
    { ArrowId::I4, Side::Left, HandPicture::PointingLeft, PageId::Tk3, PageId::Tk2 },
    { ArrowId::I5, Side::Right, HandPicture::PointingRight, PageId::Az1, PageId::Az2 },
    { ArrowId::I6, Side::Right, HandPicture::PointingRight, PageId::Az2, PageId::Az3 },
    { ArrowId::I7, Side::Left, HandPicture::PointingLeft, PageId::Az2, PageId::Az1 },
    { ArrowId::I8, Side::Left, HandPicture::PointingLeft, PageId::Az3, PageId::Az2 },
} };

constexpr const ArrowRow& arrowRow(ArrowId arrow) { return ArrowTable[indexOf(arrow)]; }
constexpr PageId targetOf(ArrowId arrow) { return arrowRow(arrow).leadsTo; }
constexpr Side sideOf(ArrowId arrow) { return arrowRow(arrow).side; }
constexpr HandPicture pictureOf(ArrowId arrow) { return arrowRow(arrow).picture; }

} // namespace quelvara
