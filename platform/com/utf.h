// UTF-8 and UTF-16 at the edge between C++ messages (what() is UTF-8 here)
// and automation strings. Malformed input becomes U+FFFD rather than being
// dropped, so a damaged message still says something.
#pragma once

#include <string>
#include <string_view>

namespace platform::com {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform::com
