#include "identifiers.h"

namespace quelvara {

namespace {

constexpr std::array<std::string_view, PageCount> PageNames {
    "Vlas",
    "Hd",
    "Tk1",
    "Tk2",
    "Tk3",
    "Az1",
    "Az2",
    "Az3",
    "Apl",
    "ab",
};
constexpr std::array<std::string_view, EntryCount> EntryNames {
    "Label1",
    "Label2",
    "Label3",
    "Label4",
    "Label5",
    "Label6",
    "Label7",
};
constexpr std::array<std::string_view, ArrowCount> ArrowNames {
    "I1",
    "I2",
    "I3",
    "I4",
    "I5",
    "I6",
    "I7",
    "I8",
};

template<typename Id, std::size_t N>
std::optional<Id> findNamed(
    const std::array<std::string_view, N>& names, const std::array<Id, N>& ids, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == name)
            return ids[i];
    }
    return std::nullopt;
}

} // namespace

std::string_view nameOf(PageId page) { return PageNames[indexOf(page)]; }
std::string_view nameOf(EntryId entry) { return EntryNames[indexOf(entry)]; }
std::string_view nameOf(ArrowId arrow) { return ArrowNames[indexOf(arrow)]; }

std::optional<PageId> pageNamed(std::string_view name) { return findNamed(PageNames, AllPages, name); }
std::optional<EntryId> entryNamed(std::string_view name) { return findNamed(EntryNames, AllEntries, name); }
std::optional<ArrowId> arrowNamed(std::string_view name) { return findNamed(ArrowNames, AllArrows, name); }

} // namespace quelvara
