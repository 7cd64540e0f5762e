// The ten pages in their fixed order: which entry opens each, where it
// stands in its chapter, and which arrows are visible while it is shown.
#pragma once

#include "arrowset.h"
#include "identifiers.h"

#include <array>
#include <optional>

namespace quelvara {

struct PageRow {
    PageId page;
    std::optional<EntryId> openedBy; // none: reached only through arrows
    int placeInChapter;
    int chapterLength;
    ArrowSet arrows;
};

inline constexpr std::array<PageRow, PageCount> PageTable { {
    { PageId::Vlas, EntryId::Label1, 1, 1, {} },
    { PageId::Hd, EntryId::Label2, 1, 1, {} },
    { PageId::Tk1, EntryId::Label3, 1, 3, { ArrowId::I1 } },
    { PageId::Tk2, std::nullopt, 2, 3, { ArrowId::I2, ArrowId::I3 } },
    { PageId::Tk3, std::nullopt, 3, 3, { ArrowId::I4 } },
    { PageId::Az1, EntryId::Label4, 1, 3, { ArrowId::I5 } },
    { PageId::Az2, std::nullopt, 2, 3, { ArrowId::I6, ArrowId::I7 } },
    { PageId::Az3, std::nullopt, 3, 3, { ArrowId::I8 } },
    { PageId::Apl, EntryId::Label7, 1, 1, {} },
    { PageId::ab, EntryId::Label5, 1, 1, {} },
} };

constexpr const PageRow& pageRow(PageId page) { return PageTable[indexOf(page)]; }
constexpr ArrowSet arrowSetOf(PageId page) { return pageRow(page).arrows; }

} // namespace quelvara
