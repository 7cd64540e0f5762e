#pragma once

#include "identifiers.h"

#include <cstdint>
#include <initializer_list>

namespace quelvara {

// A set of arrows, one bit per arrow in the fixed order I1 to I8.
class ArrowSet final {
public:
    constexpr ArrowSet() = default;
    constexpr ArrowSet(std::initializer_list<ArrowId> arrows)
    {
        for (ArrowId arrow : arrows)
            m_bits |= bit(arrow);
    }

    constexpr ArrowSet with(ArrowId arrow) const
    {
        ArrowSet result = *this;
        result.m_bits |= bit(arrow);
        return result;
    }
    constexpr bool contains(ArrowId arrow) const { return (m_bits & bit(arrow)) != 0; }
    constexpr bool operator==(const ArrowSet&) const = default;

private:
    static constexpr std::uint8_t bit(ArrowId arrow) { return static_cast<std::uint8_t>(1u << indexOf(arrow)); }

    std::uint8_t m_bits { 0 };
};

} // namespace quelvara
