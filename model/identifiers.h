// Identifiers of the presentation's pages, menu entries and arrows.
//
// Each identifier is the name of the window element that shows it: a page is
// named after the bitmap kept for it, an entry is its label and an arrow is
// its icon. Names enter and leave the program only through the functions
// below; everything inside works with the enums.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace quelvara {

enum class PageId { Vlas, Hd, Tk1, Tk2, Tk3, Az1, Az2, Az3, Apl, ab };
enum class EntryId { Label1, Label2, Label3, Label4, Label5, Label6, Label7 };
enum class ArrowId { I1, I2, I3, I4, I5, I6, I7, I8 };

inline constexpr std::size_t PageCount = 10;
inline constexpr std::size_t EntryCount = 7;
inline constexpr std::size_t ArrowCount = 8;

// The fixed enumeration orders every whole-state assignment follows.
inline constexpr std::array<PageId, PageCount> AllPages {
    PageId::Vlas,
    PageId::Hd,
    PageId::Tk1,
    PageId::Tk2,
    PageId::Tk3,
    PageId::Az1,
    PageId::Az2,
    PageId::Az3,
    PageId::Apl,
    PageId::ab,
};
inline constexpr std::array<EntryId, EntryCount> AllEntries {
    EntryId::Label1,
    EntryId::Label2,
    EntryId::Label3,
    EntryId::Label4,
    EntryId::Label5,
    EntryId::Label6,
    EntryId::Label7,
};
inline constexpr std::array<ArrowId, ArrowCount> AllArrows {
    ArrowId::I1,
    ArrowId::I2,
    ArrowId::I3,
    ArrowId::I4,
    ArrowId::I5,
    ArrowId::I6,
    ArrowId::I7,
    ArrowId::I8,
};

constexpr std::size_t indexOf(PageId page) { return static_cast<std::size_t>(page); }
constexpr std::size_t indexOf(EntryId entry) { return static_cast<std::size_t>(entry); }
constexpr std::size_t indexOf(ArrowId arrow) { return static_cast<std::size_t>(arrow); }

std::string_view nameOf(PageId page);
std::string_view nameOf(EntryId entry);
std::string_view nameOf(ArrowId arrow);

// Exact, case-sensitive look-ups; any other name is not found.
std::optional<PageId> pageNamed(std::string_view name);
std::optional<EntryId> entryNamed(std::string_view name);
std::optional<ArrowId> arrowNamed(std::string_view name);

} // namespace quelvara
