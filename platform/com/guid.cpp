#include "platform/com/guid.h"

namespace platform::com {
namespace {

int HexValue(char32_t c) noexcept {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
    return -1;
}

// Shared by the narrow and wide parsers: both forms hold only ASCII.
template <class Char>
std::optional<GUID> Parse(std::basic_string_view<Char> s) noexcept {
    if (s.size() == 38) {
        if (s.front() != '{' || s.back() != '}') return std::nullopt;
        s = s.substr(1, 36);
    }
    if (s.size() != 36) return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (s[i] != '-') return std::nullopt;
            continue;
        }
        int hi = HexValue(static_cast<char32_t>(s[i]));
        int lo = i + 1 < s.size() ? HexValue(static_cast<char32_t>(s[i + 1])) : -1;
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        ++i;
    }
    GUID g;
    g.Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
              bytes[3];
    g.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (std::size_t i = 0; i < 8; ++i) g.Data4[i] = bytes[8 + i];
    return g;
}

}  // namespace

std::optional<GUID> ParseGuid(std::string_view text) noexcept { return Parse(text); }
std::optional<GUID> ParseGuid(std::u16string_view text) noexcept { return Parse(text); }

std::string FormatGuid(const GUID& g) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "{";
    auto put = [&](std::uint64_t v, int digits) {
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out.push_back(kHex[(v >> shift) & 0xF]);
    };
    put(g.Data1, 8);
    out.push_back('-');
    put(g.Data2, 4);
    out.push_back('-');
    put(g.Data3, 4);
    out.push_back('-');
    put(g.Data4[0], 2);
    put(g.Data4[1], 2);
    out.push_back('-');
    for (std::size_t i = 2; i < 8; ++i) put(g.Data4[i], 2);
    out.push_back('}');
    return out;
}

std::u16string FormatGuidU16(const GUID& g) {
    std::string narrow = FormatGuid(g);
    return std::u16string(narrow.begin(), narrow.end());
}

std::size_t HashGuid(const GUID& g) noexcept {
    // FNV-1a over the fields; identities are random enough that any mix will do.
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&](std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    };
    mix(g.Data1, 4);
    mix(g.Data2, 2);
    mix(g.Data3, 2);
    for (auto b : g.Data4) mix(b, 1);
    return static_cast<std::size_t>(h);
}

}  // namespace platform::com
