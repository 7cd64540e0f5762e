// The seven menu entries in their fixed order, with their captions and what
// choosing each one does. Captions are UTF-8; "á" and "í" are the only
// letters beyond ASCII.
#pragma once

#include "identifiers.h"

#include <array>
#include <string_view>
#include <variant>

namespace quelvara {

// What the Exit entry asks for: the window closes and the program ends.
struct EndRequest {
    constexpr bool operator==(const EndRequest&) const = default;
};

using EntryAction = std::variant<PageId, EndRequest>;

struct MenuRow {
    EntryId entry;
    std::string_view caption;
    EntryAction action;
};

inline constexpr std::array<MenuRow, EntryCount> MenuTable { {
    { EntryId::Label1, "Vlastnosti kvapalín", PageId::Vlas },
    { EntryId::Label2, "Quelvara", PageId::Hd },
    { EntryId::Label3, "Tlak v kvapaline", PageId::Tk1 },
    { EntryId::Label4, "Archimedov zákon", PageId::Az1 },
    { EntryId::Label5, "About ...", PageId::ab },
    { EntryId::Label6, "Exit", EndRequest {} },
    { EntryId::Label7, "Aplikácia Quelvara...", PageId::Apl },
} };

constexpr const MenuRow& menuRow(EntryId entry) { return MenuTable[indexOf(entry)]; }
constexpr std::string_view captionOf(EntryId entry) { return menuRow(entry).caption; }
constexpr EntryAction actionOf(EntryId entry) { return menuRow(entry).action; }

} // namespace quelvara
