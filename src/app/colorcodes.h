#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Colour codes as the settings file stores them: a plain colour is
// red + 256 * green + 65536 * blue; a system colour is its index with bit 31
// set, which is negative as a signed number.
namespace ColorCodes {

struct NamedColor {
    std::string_view name; // as the colour box lists it
    std::int32_t code;
};

constexpr std::int32_t kSystemBit = std::int32_t(0x80000000u);
constexpr std::int32_t kRed = 0x0000FF;

constexpr bool isSystem(std::int32_t code) { return code < 0; }
constexpr int systemIndex(std::int32_t code) { return int(code & 0xFF); }
constexpr std::int32_t systemCode(int index) { return kSystemBit | index; }

constexpr int red(std::int32_t code) { return code & 0xFF; }
constexpr int green(std::int32_t code) { return (code >> 8) & 0xFF; }
constexpr int blue(std::int32_t code) { return (code >> 16) & 0xFF; }
constexpr std::int32_t fromRgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// 16 standard, 4 extended and the system colours, in the box's order.
std::span<const NamedColor> defaultList();
std::optional<std::size_t> indexOf(std::int32_t code);

} // namespace ColorCodes
