#pragma once

#include <cstdint>

namespace quelvara {

// A 32-bit colour word: 0x00BBGGRR for a plain colour, or 0x800000nn for the
// platform's system colour number nn.
using ColourWord = std::uint32_t;

inline constexpr ColourWord Red = 0x000000FF;
inline constexpr ColourWord Black = 0x00000000;
inline constexpr ColourWord SystemDesktop = 0x80000001;
inline constexpr ColourWord SystemHighlightText = 0x8000000E;
inline constexpr ColourWord SystemButtonText = 0x80000012;

// The two looks of a menu entry. They differ only in size and text colour;
// family, weight, underline, background and position never change.
struct EntryStyle {
    int pointSize;
    ColourWord textColour;
    constexpr bool operator==(const EntryStyle&) const = default;
};

inline constexpr EntryStyle NormalStyle { 12, Red };
inline constexpr EntryStyle SelectedStyle { 11, SystemHighlightText };

} // namespace quelvara
