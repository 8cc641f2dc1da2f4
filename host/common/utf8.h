// Recognising and decoding UTF-8 pages. Documents are held in the code page
// (Shift_JIS), so UTF-8 is only ever an input format: these routines decide
// whether a page is UTF-8 and turn its bytes into UTF-16 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quenby {

// Looks at the first `count` bytes (fewer when `bytes` is shorter) and says
// whether they read as UTF-8. Deliberately loose, as the reader has always
// judged: lead bytes up to 0xFD with up to five continuation bytes are
// accepted, 0xFE and 0xFF are skipped, a sequence cut by the end of the
// window is not judged, and at least two multi-byte sequences are needed, so
// pure ASCII or a single non-ASCII character is not taken for UTF-8.
bool IsUtf8(std::string_view bytes, std::size_t count);

struct Utf8Decoded {
    std::u16string text;
    // Bytes that did not decode; each was replaced by one copy of the
    // replacement (counted even when the replacement is empty).
    std::size_t replaced = 0;
};

// One-, two- and three-byte sequences become one UTF-16 unit each; every
// other byte (a stray continuation byte, 0xC0, 0xC1, 0xF0 and above, a lead
// byte with missing or wrong continuation bytes) becomes `replacement` and
// decoding goes on with the next byte. Four-byte sequences are therefore
// replaced byte by byte, and overlong three-byte forms and surrogate code
// points are let through unchanged: pages written for handsets never
// carried them, and the loose rule keeps every byte accounted for.
Utf8Decoded DecodeUtf8Counted(std::string_view bytes, std::u16string_view replacement);
std::u16string DecodeUtf8(std::string_view bytes, std::u16string_view replacement);

}  // namespace quenby
