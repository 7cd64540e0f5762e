// What each page says, for those who cannot see it: its title and its whole
// text spelled for speech, read from the same page sources the page bitmaps
// are drawn from, so the two never disagree.
#pragma once

#include "identifiers.h"

#include <QString>

namespace quelvara {

struct PageText {
    QString title;
    QString spoken;
};

// The sources are built into the program and read on first use only: a
// program nobody reads aloud never parses them.
const PageText& pageTextOf(PageId page);

} // namespace quelvara
