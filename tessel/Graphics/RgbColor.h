#pragma once
#include <cstdint>

#include "framework/core/Color.h"

namespace tessel {

// A 32-bit colour whose low 24 bits are RGB in the platform's order (red in bits 0-7) and
// whose high byte is carried along untouched. Made from a framework TColor the high byte is
// 0xFF and system colours are resolved; made from a raw value it keeps that value.
class RgbColor {
public:
    // Black with the high byte set, as a colour made from clBlack.
    constexpr RgbColor() : m_value(0xFF000000u) {}
    // A raw value, kept as it is: -1 is white with high byte 0xFF.
    constexpr RgbColor(std::uint32_t value) : m_value(value) {}

    // ColorToRGB of the colour with the high byte 0xFF. Native builds have no system
    // colours to ask for; there a system colour keeps its low 24 bits unresolved.
    static RgbColor FromColor(TColor color) {
#ifdef _WIN32
        const std::uint32_t rgb = static_cast<std::uint32_t>(ColorToRGB(color));
#else
        const std::uint32_t rgb = static_cast<std::uint32_t>(color);
#endif
        return RgbColor((rgb & 0x00FFFFFFu) | 0xFF000000u);
    }

    constexpr std::uint32_t Value() const {
        return m_value;
    }
    // The value with the high byte cleared: what reaches the canvas.
    constexpr std::uint32_t Rgb() const {
        return m_value & 0x00FFFFFFu;
    }
    constexpr std::uint8_t Red() const {
        return m_value & 0xFF;
    }
    constexpr std::uint8_t Green() const {
        return (m_value >> 8) & 0xFF;
    }
    constexpr std::uint8_t Blue() const {
        return (m_value >> 16) & 0xFF;
    }

    friend constexpr bool operator==(RgbColor a, RgbColor b) {
        return a.m_value == b.m_value;
    }
    friend constexpr bool operator!=(RgbColor a, RgbColor b) {
        return a.m_value != b.m_value;
    }

private:
    std::uint32_t m_value;
};

} // namespace tessel
