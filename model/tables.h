// The presentation's constant tables and the invariants that hold between
// them. Nothing here changes while the program runs.
#pragma once

#include "arrowtable.h"
#include "menutable.h"
#include "pagetable.h"

namespace quelvara {

namespace tableChecks {

constexpr bool rowsFollowTheFixedOrder()
{
    for (std::size_t i = 0; i < PageCount; ++i)
        if (PageTable[i].page != AllPages[i])
            return false;
    for (std::size_t i = 0; i < EntryCount; ++i)
        if (MenuTable[i].entry != AllEntries[i])
            return false;
    for (std::size_t i = 0; i < ArrowCount; ++i)
        if (ArrowTable[i].arrow != AllArrows[i])
            return false;
    return true;
}

// Each arrow is in exactly one page's arrow set, and that page is the one it
// is visible on.
constexpr bool eachArrowBelongsToItsPage()
{
    for (const ArrowRow& row : ArrowTable) {
        int owners = 0;
        for (const PageRow& page : PageTable) {
            if (page.arrows.contains(row.arrow)) {
                ++owners;
                if (page.page != row.visibleOn)
                    return false;
            }
        }
        if (owners != 1)
            return false;
    }
    return true;
}

constexpr bool noPageShowsTwoArrowsOnOneSide()
{
    for (const PageRow& page : PageTable) {
        int left = 0;
        int right = 0;
        for (const ArrowRow& row : ArrowTable) {
            if (page.arrows.contains(row.arrow))
                ++(row.side == Side::Left ? left : right);
        }
        if (left > 1 || right > 1)
            return false;
    }
    return true;
}

constexpr bool handsPointTheirSideAndNeverAtTheirOwnPage()
{
    for (const ArrowRow& row : ArrowTable) {
        if (row.leadsTo == row.visibleOn)
            return false;
        if ((row.side == Side::Right) != (row.picture == HandPicture::PointingRight))
            return false;
    }
    return true;
}

// Following a forward arrow and then the back arrow of the page it leads to
// returns to the starting page.
constexpr bool forwardThenBackReturns()
{
    for (const ArrowRow& forward : ArrowTable) {
        if (forward.side != Side::Right)
            continue;
        bool returns = false;
        for (const ArrowRow& back : ArrowTable) {
            if (back.side == Side::Left && back.visibleOn == forward.leadsTo)
                returns = back.leadsTo == forward.visibleOn;
        }
        if (!returns)
            return false;
    }
    return true;
}

// A page that no entry opens is reached only by arrows, so it must be the
// target of one.
constexpr bool everyPageCanBeReached()
{
    for (const PageRow& page : PageTable) {
        if (page.openedBy)
            continue;
        bool targeted = false;
        for (const ArrowRow& row : ArrowTable)
            targeted = targeted || row.leadsTo == page.page;
        if (!targeted)
            return false;
    }
    return true;
}

// The menu and the page table agree on which entry opens which page.
constexpr bool menuAndPagesAgree()
{
    for (const MenuRow& row : MenuTable) {
        if (const PageId* page = std::get_if<PageId>(&row.action); page && pageRow(*page).openedBy != row.entry)
            return false;
    }
    for (const PageRow& page : PageTable) {
        if (page.openedBy && actionOf(*page.openedBy) != EntryAction { page.page })
            return false;
    }
    return true;
}

static_assert(rowsFollowTheFixedOrder());
static_assert(menuAndPagesAgree());
static_assert(eachArrowBelongsToItsPage());
static_assert(noPageShowsTwoArrowsOnOneSide());
static_assert(handsPointTheirSideAndNeverAtTheirOwnPage());
static_assert(forwardThenBackReturns());
static_assert(everyPageCanBeReached());

} // namespace tableChecks

} // namespace quelvara
