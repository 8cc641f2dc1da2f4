#include "host/common/byte_helpers.h"

#include <array>
#include <cstddef>
#include <limits>
#include <memory>

#include "platform/codepage/codepage.h"

namespace quenby {
namespace {

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

// Encoding unit by unit is fast, whereas one long string full of unmappable
// characters is slow to encode (every miss restarts the converter), so the
// table is built from single-character calls: a few milliseconds, once.
const std::array<std::uint8_t, 0x10000>& CodePageWidths() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint8_t, 0x10000>>();
        for (std::uint32_t c = 0; c < 0x10000; ++c) {
            const auto u = static_cast<char16_t>(c);
            if (c < 0x80 || IsHighSurrogate(u) || IsLowSurrogate(u)) {
                (*t)[c] = 1;
                continue;
            }
            const auto e = platform::codepage::Encode(std::u16string_view(&u, 1));
            (*t)[c] = e.defaulted ? 0 : static_cast<std::uint8_t>(e.bytes.size());
        }
        return t;
    }();
    return *table;
}

namespace {

char16_t Fold(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);  // full-width a-z
    return c;
}

std::size_t FindFolded(std::u16string_view s1, std::u16string_view s2, std::size_t from) {
    if (s2.size() > s1.size()) return std::u16string_view::npos;
    const char16_t first = Fold(s2[0]);
    for (std::size_t i = from; i + s2.size() <= s1.size(); ++i) {
        if (Fold(s1[i]) != first) continue;
        std::size_t k = 1;
        while (k < s2.size() && Fold(s1[i + k]) == Fold(s2[k])) ++k;
        if (k == s2.size()) return i;
    }
    return std::u16string_view::npos;
}

}  // namespace

std::int32_t LenBin(std::u16string_view s) {
    const auto& widths = CodePageWidths();
    std::size_t bytes = 0;
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            ++bytes;
        } else if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(s[i + 1])) {
            ++bytes;
            ++i;
        } else {
            const std::uint8_t w = widths[c];
            bytes += w == 0 ? 1 : w;
        }
    }
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(bytes < kMax ? bytes : kMax);
}

std::int32_t InStrByte(std::int32_t start, std::u16string_view s1, std::u16string_view s2, std::int32_t compare) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (from >= s1.size()) return 0;
    std::size_t hit;
    if (s2.empty()) hit = from;
    else if (compare == 0) hit = s1.find(s2, from);
    else hit = FindFolded(s1, s2, from);
    if (hit == std::u16string_view::npos) return 0;
    return LenBin(s1.substr(0, hit + 1));
}

}  // namespace quenby
