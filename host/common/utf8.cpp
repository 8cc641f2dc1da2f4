#include "host/common/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quenby {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Pages are mostly markup, so long ASCII stretches are checked eight bytes
// at a time.
inline bool Ascii8(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return (w & kHighBits) == 0;
}

inline bool Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

bool IsUtf8(std::string_view bytes, std::size_t count) {
    const std::size_t n = std::min(count, bytes.size());
    if (n == 0) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t j = 0;
    std::size_t sequences = 0;
    while (j < n) {
        if (j + 8 <= n && Ascii8(p + j)) {
            j += 8;
            continue;
        }
        const unsigned char b = p[j];
        if (b < 0x80 || b >= 0xFE) {
            ++j;
            continue;
        }
        if (b < 0xC0) return false;  // a continuation byte where a lead byte belongs
        const std::size_t follow = b < 0xE0 ? 1 : b < 0xF0 ? 2 : b < 0xF8 ? 3 : b < 0xFC ? 4 : 5;
        if (j + follow >= n) break;  // cut by the window: not judged
        for (std::size_t k = 1; k <= follow; ++k)
            if (!Continuation(p[j + k])) return false;
        ++sequences;
        j += follow + 1;
    }
    return sequences >= 2;
}

Utf8Decoded DecodeUtf8Counted(std::string_view bytes, std::u16string_view replacement) {
    Utf8Decoded result;
    const std::size_t n = bytes.size();
    if (n == 0) return result;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());

    // Every byte still to be read yields at most one unit, except where a
    // replacement longer than one unit goes in; the buffer is only grown
    // there, so the common path writes through a plain pointer.
    std::u16string& out = result.text;
    out.resize(n);
    std::size_t o = 0;
    std::size_t i = 0;
    while (i < n) {
        if (i + 8 <= n && Ascii8(p + i)) {
            char16_t* d = out.data() + o;
            do {
                for (int k = 0; k < 8; ++k) d[k] = p[i + k];
                d += 8;
                i += 8;
            } while (i + 8 <= n && Ascii8(p + i));
            o = static_cast<std::size_t>(d - out.data());
            if (i >= n) break;
        }
        const unsigned char b0 = p[i];
        if (b0 < 0x80) {
            out[o++] = b0;
            ++i;
            continue;
        }
        if (b0 >= 0xE0 && b0 <= 0xEF) {
            if (i + 2 < n && Continuation(p[i + 1]) && Continuation(p[i + 2])) {
                out[o++] = static_cast<char16_t>(((b0 & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
                i += 3;
                continue;
            }
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            if (i + 1 < n && Continuation(p[i + 1])) {
                out[o++] = static_cast<char16_t>(((b0 & 0x1F) << 6) | (p[i + 1] & 0x3F));
                i += 2;
                continue;
            }
        }
        ++result.replaced;
        ++i;
        if (replacement.size() > 1) {
            const std::size_t need = o + replacement.size() + (n - i);
            if (need > out.size()) out.resize(std::max(need, out.size() + out.size() / 2));
        }
        if (!replacement.empty()) {
            std::copy(replacement.begin(), replacement.end(), out.begin() + static_cast<std::ptrdiff_t>(o));
            o += replacement.size();
        }
    }
    out.resize(o);
    return result;
}

std::u16string DecodeUtf8(std::string_view bytes, std::u16string_view replacement) {
    return DecodeUtf8Counted(bytes, replacement).text;
}

}  // namespace quenby
