// The ANSI code page of the design (Shift_JIS as Windows extends it, CP932).
// This is the only place that knows the encoding: the rest of the system
// handles byte strings and asks here whether a byte leads a double-byte
// character, or converts at its edges to and from UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::codepage {

// What the code page writes for a UTF-16 character it cannot hold.
inline constexpr char kDefaultChar = '?';

// The system's lead-byte test: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char b) noexcept {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsLeadByte(char b) noexcept { return IsLeadByte(static_cast<unsigned char>(b)); }

// Bytes that do not decode (a lone lead byte, an invalid pair, 0x80, 0xA0,
// 0xFD-0xFF) are not dropped: each becomes the lone low surrogate
// U+DC00 + byte, and ToBytes turns such a surrogate back into its byte, so
// text read out and written back is unchanged byte for byte.
inline constexpr char16_t kEscapeBase = 0xDC00;
constexpr bool IsByteEscape(char16_t c) noexcept { return c >= 0xDC80 && c <= 0xDCFF; }

struct Decoded {
    std::u16string text;
    std::size_t undecodable = 0;  // bytes carried as escapes
};

struct Encoded {
    std::string bytes;
    std::size_t defaulted = 0;  // UTF-16 characters written as kDefaultChar
};

// MultiByteToWideChar for the code page.
Decoded Decode(std::string_view bytes);
// WideCharToMultiByte for the code page; unmappable characters become '?'.
Encoded Encode(std::u16string_view text);

inline std::u16string ToUtf16(std::string_view bytes) { return Decode(bytes).text; }
inline std::string ToBytes(std::u16string_view text) { return Encode(text).bytes; }

// Appends one code point as UTF-16 (a surrogate pair above U+FFFF).
inline void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

// UTF-8 convenience forms for the toolkit side (QString, source literals).
std::string Utf8ToBytes(std::string_view utf8);
std::string BytesToUtf8(std::string_view bytes);

}  // namespace platform::codepage
