#include "control/view/colour.h"

#include <array>

namespace tarn::view {
namespace {
// The classic default system colours, by index (COLOR_SCROLLBAR = 0 ...).
constexpr std::array<Colour, 31> kSystemColours = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0,
};
}  // namespace

Colour ResolveColour(std::uint32_t value) noexcept {
    if (value & 0x80000000u) {
        const std::uint32_t index = value & 0xFF;
        return index < kSystemColours.size() ? kSystemColours[index] : 0;
    }
    return value & 0xFFFFFF;
}

}  // namespace tarn::view
