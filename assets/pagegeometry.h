// Where things sit on a page bitmap, in its own pixels.
#pragma once

#include "arrowtable.h"

namespace quelvara {

inline constexpr int PageWidth = 405;
inline constexpr int PageHeight = 253;
inline constexpr int BannerWidth = 405;
inline constexpr int BannerHeight = 37;

// Nothing but background within this distance of a page's edges.
inline constexpr int PageMargin = 6;

// The 32 × 32 hands are drawn over the page at these points; the page area
// clips what falls past its edges.
inline constexpr int ArrowSize = 32;
inline constexpr int ArrowTop = 224;
constexpr int arrowLeft(Side side) { return side == Side::Right ? 376 : 0; }

} // namespace quelvara
