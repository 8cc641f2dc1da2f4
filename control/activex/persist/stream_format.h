// The fixed framing of a persisted property stream and its value-type bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarn::persist {

inline constexpr std::string_view kSignature = "TPF0";
inline constexpr std::string_view kClassName = "TTarnEdit";

// A short string carries its length in one byte.
inline constexpr std::size_t kShortStringMax = 255;

// The type byte in front of every value. Only these are understood: a value
// of any other type has no known length, so a stream holding one cannot be
// read past it.
enum class ValueType : std::uint8_t {
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6,       // length byte, then bytes
    Identifier = 7,   // as String
    False = 8,
    True = 9,
    Set = 11,         // short-string element names, ended by an empty name
    LongString = 12,  // 32-bit length, then bytes
    WideString = 18,  // 32-bit count of UTF-16 units, then UTF-16LE
};

constexpr bool IsKnownValueType(std::uint8_t b) noexcept {
    switch (b) {
    case 2: case 3: case 4: case 6: case 7: case 8: case 9: case 11: case 12: case 18:
        return true;
    default:
        return false;
    }
}

std::string_view ValueTypeName(ValueType type) noexcept;

}  // namespace tarn::persist
