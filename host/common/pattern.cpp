#include "host/common/pattern.h"

#include <cstddef>

namespace quenby {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

// Every "[" must have its "]"; checked once so that matching never reads
// past the pattern.
bool ListsClosed(std::u16string_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'[') continue;
        const std::size_t close = pattern.find(u']', i + 1);
        if (close == kNone) return false;
        i = close;
    }
    return true;
}

// The list that opens at pattern[open] ("["), tested against c. Returns the
// index just past its "]".
std::size_t MatchList(std::u16string_view pattern, std::size_t open, char16_t c, bool& matched) {
    std::size_t j = open + 1;
    bool negate = false;
    if (pattern[j] == u'!') {
        negate = true;
        ++j;
    }
    bool in = false;
    while (pattern[j] != u']') {
        const char16_t lo = pattern[j];
        if (pattern[j + 1] == u'-' && pattern[j + 2] != u']') {
            const char16_t hi = pattern[j + 2];
            if (lo <= c && c <= hi) in = true;  // reversed bounds hold nothing
            j += 3;
        } else {
            if (c == lo) in = true;
            ++j;
        }
    }
    matched = in != negate;
    return j + 1;
}

// Whether the single-character item at pattern[p] accepts c; next receives
// the index of the item after it.
bool MatchOne(std::u16string_view pattern, std::size_t p, char16_t c, std::size_t& next) {
    switch (pattern[p]) {
        case u'?':
            next = p + 1;
            return true;
        case u'#':
            next = p + 1;
            return c >= u'0' && c <= u'9';
        case u'[': {
            bool matched = false;
            next = MatchList(pattern, p, c, matched);
            return matched;
        }
        default:
            next = p + 1;
            return pattern[p] == c;
    }
}

}  // namespace

bool LikeMatch(std::u16string_view text, std::u16string_view pattern) {
    if (!ListsClosed(pattern)) return false;
    // Every item but "*" takes exactly one character, so remembering only
    // the latest "*" is enough: when what follows it fails, that star takes
    // one more character and the rest is tried again. An earlier star never
    // needs to be revisited, since the later one can absorb anything it could.
    const std::size_t m = pattern.size();
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = kNone;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < m && pattern[p] == u'*') {
            starP = ++p;
            starT = t;
            continue;
        }
        std::size_t next = 0;
        if (p < m && MatchOne(pattern, p, text[t], next)) {
            p = next;
            ++t;
            continue;
        }
        if (starP == kNone) return false;
        p = starP;
        t = ++starT;
    }
    while (p < m && pattern[p] == u'*') ++p;
    return p == m;
}

}  // namespace quenby
