// A property's value as the control's setters and getters take it, after
// identifiers have been resolved: enumerations as ordinals, colours as
// numbers, font names as UTF-16, the font style as bits.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace tarn::persist {

// 0x00BBGGRR, or 0x80000000 + a system colour index.
struct Colour {
    std::uint32_t value = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

struct FontStyles {
    static constexpr std::uint8_t kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8;
    std::uint8_t bits = 0;
    friend bool operator==(const FontStyles&, const FontStyles&) = default;
};

// int32: integers, enumeration ordinals, cursor indexes, character sets.
// std::string: CP932 bytes. std::u16string: the font name only.
using Setting = std::variant<std::int32_t, bool, Colour, std::string, std::u16string, FontStyles>;

}  // namespace tarn::persist
