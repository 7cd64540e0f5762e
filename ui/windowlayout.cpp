#include "windowlayout.h"

namespace quelvara::layout {

const EntryRow& entryRow(EntryId entry)
{
    for (const EntryRow& row : Entries) {
        if (row.entry == entry)
            return row;
    }
    Q_UNREACHABLE();
}

const ArrowPlacement& arrowPlacement(ArrowId arrow) { return Arrows[indexOf(arrow)]; }

} // namespace quelvara::layout
