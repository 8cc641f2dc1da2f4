#include "platform/codepage/pictographs.h"

#include <algorithm>
#include <array>
#include <vector>

namespace platform::codepage {
namespace {

struct Entry {
    std::uint16_t code;
    char32_t points[3];
};

// Written by make_pictograph_table.cmake from Unicode's EmojiSources.txt:
// basic codes first, then extended ones.
constexpr Entry kTable[] = {
#include "pictograph_table.inc"
};

std::size_t PointCount(const Entry& e) {
    std::size_t n = 0;
    while (n < std::size(e.points) && e.points[n] != 0) ++n;
    return n;
}

bool IsSelector(char16_t c) { return c == 0xFE0F || c == 0xFE0E; }

// The code point at text[pos] and the units it takes.
char32_t PointAt(std::u16string_view text, std::size_t pos, std::size_t& units) {
    const char16_t c = text[pos];
    units = 1;
    if (c >= 0xD800 && c <= 0xDBFF && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF) {
        units = 2;
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[pos + 1] - 0xDC00);
    }
    return c;
}


// Lookups built once from the table.
struct Index {
    // code - 0xF800 -> table entry + 1 (0: none); the codes span F89F..F9FC.
    std::array<std::uint16_t, 0x200> byCode{};
    std::vector<std::uint16_t> mapped;
    // (first code point, table position), in table order within a point.
    std::vector<std::pair<char32_t, std::size_t>> byFirst;

    Index() {
        for (std::size_t i = 0; i < std::size(kTable); ++i) {
            const std::uint16_t code = kTable[i].code;
            if (code < 0xF800 || code > 0xF9FF || byCode[code - 0xF800] != 0) continue;
            byCode[code - 0xF800] = static_cast<std::uint16_t>(i + 1);
            mapped.push_back(code);
            byFirst.emplace_back(kTable[i].points[0], i);
        }
        std::stable_sort(byFirst.begin(), byFirst.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    const Entry* Find(std::uint16_t code) const {
        if (code < 0xF800 || code > 0xF9FF) return nullptr;
        const std::uint16_t i = byCode[code - 0xF800];
        return i ? &kTable[i - 1] : nullptr;
    }
};

const Index& TheIndex() {
    static const Index index;
    return index;
}

// UTF-16 units of text from pos that spell e's points, each optionally
// followed by a variation selector; 0 when they do not.
std::size_t MatchLength(const Entry& e, std::u16string_view text, std::size_t pos) {
    const std::size_t start = pos;
    for (std::size_t k = 0, n = PointCount(e); k < n; ++k) {
        if (pos >= text.size()) return 0;
        std::size_t units = 0;
        if (PointAt(text, pos, units) != e.points[k]) return 0;
        pos += units;
        if (pos < text.size() && IsSelector(text[pos])) ++pos;
    }
    return pos - start;
}

}  // namespace

bool IsBasicPictograph(std::uint16_t c) noexcept {
    return (c >= 0xF89F && c <= 0xF8FC) || (c >= 0xF940 && c <= 0xF949) || (c >= 0xF972 && c <= 0xF97E) ||
           (c >= 0xF980 && c <= 0xF9B0);
}

bool IsPictograph(std::uint16_t code) noexcept { return IsBasicPictograph(code) || TheIndex().Find(code) != nullptr; }

std::uint16_t PictographAt(std::string_view bytes, std::size_t i) noexcept {
    if (i + 1 >= bytes.size()) return 0;
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead != 0xF8 && lead != 0xF9) return 0;
    const auto code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(bytes[i + 1]));
    return IsPictograph(code) ? code : 0;
}

std::u16string PictographToUnicode(std::uint16_t code) {
    std::u16string out;
    if (const Entry* e = TheIndex().Find(code))
        for (std::size_t k = 0, n = PointCount(*e); k < n; ++k) AppendUtf16(out, e->points[k]);
    return out;
}

std::span<const std::uint16_t> MappedPictographs() noexcept { return TheIndex().mapped; }

PictographMatch PictographFromUnicode(std::u16string_view text, std::size_t pos) {
    PictographMatch best;
    if (pos >= text.size()) return best;
    std::size_t units = 0;
    const char32_t first = PointAt(text, pos, units);
    const auto& byFirst = TheIndex().byFirst;
    auto it = std::lower_bound(byFirst.begin(), byFirst.end(), first,
                               [](const auto& a, char32_t v) { return a.first < v; });
    for (; it != byFirst.end() && it->first == first; ++it) {
        const Entry& e = kTable[it->second];
        const std::size_t len = MatchLength(e, text, pos);
        // Strictly longer only: an equal match later in the table is an
        // extended code losing to a basic one.
        if (len > best.length) best = {e.code, len};
    }
    return best;
}

std::uint16_t PictographCodeOfNumber(int n) noexcept {
    if (n >= 1 && n <= 94) return static_cast<std::uint16_t>(0xF89F + (n - 1));
    if (n >= 95 && n <= 104) return static_cast<std::uint16_t>(0xF940 + (n - 95));
    if (n >= 105 && n <= 117) return static_cast<std::uint16_t>(0xF972 + (n - 105));
    if (n >= 118 && n <= 134) return static_cast<std::uint16_t>(0xF980 + (n - 118));
    if (n == 135) return 0xF9B0;
    if (n >= 136 && n <= 166) return static_cast<std::uint16_t>(0xF991 + (n - 136));
    return 0;
}

int PictographNumber(std::uint16_t code) noexcept {
    if (code >= 0xF89F && code <= 0xF8FC) return code - 0xF89F + 1;
    if (code >= 0xF940 && code <= 0xF949) return code - 0xF940 + 95;
    if (code >= 0xF972 && code <= 0xF97E) return code - 0xF972 + 105;
    if (code >= 0xF980 && code <= 0xF990) return code - 0xF980 + 118;
    if (code == 0xF9B0) return 135;
    if (code >= 0xF991 && code <= 0xF9AF) return code - 0xF991 + 136;
    return 0;
}

std::vector<PictographPlace> FindPictographs(std::string_view bytes) {
    std::vector<PictographPlace> found;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!IsLeadByte(bytes[i]) || i + 1 >= bytes.size()) continue;
        if (const std::uint16_t code = PictographAt(bytes, i)) found.push_back({i, code});
        ++i;  // the trail byte
    }
    return found;
}

Decoded DecodeForExchange(std::string_view bytes) {
    Decoded out;
    std::size_t start = 0;
    auto flush = [&](std::size_t end) {
        if (end <= start) return;
        Decoded part = Decode(bytes.substr(start, end - start));
        out.text += part.text;
        out.undecodable += part.undecodable;
    };
    for (const PictographPlace& p : FindPictographs(bytes)) {
        const std::u16string emoji = PictographToUnicode(p.code);
        if (emoji.empty()) continue;
        flush(p.offset);
        out.text += emoji;
        start = p.offset + 2;
    }
    flush(bytes.size());
    return out;
}

Encoded EncodeForExchange(std::u16string_view text) {
    Encoded out;
    std::size_t start = 0;
    auto flush = [&](std::size_t end) {
        if (end <= start) return;
        Encoded part = Encode(text.substr(start, end - start));
        out.bytes += part.bytes;
        out.defaulted += part.defaulted;
    };
    for (std::size_t i = 0; i < text.size();) {
        const PictographMatch m = PictographFromUnicode(text, i);
        if (m.code == 0) {
            std::size_t units = 0;
            PointAt(text, i, units);
            i += units;
            continue;
        }
        flush(i);
        out.bytes.push_back(static_cast<char>(m.code >> 8));
        out.bytes.push_back(static_cast<char>(m.code & 0xFF));
        i += m.length;
        start = i;
    }
    flush(text.size());
    return out;
}

}  // namespace platform::codepage
