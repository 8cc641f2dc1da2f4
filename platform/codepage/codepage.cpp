#include "platform/codepage/codepage.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>

namespace platform::codepage {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One conversion descriptor per thread and direction, reset before each use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns 0 on success or the errno that
    // stopped it. in/out pointers and sizes advance.
    int Run(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return errno;
        return 0;
    }

private:
    iconv_t cd_;
};

Converter& ToUtf16Converter() {
    thread_local Converter c(kUtf16, "CP932");
    return c;
}
Converter& FromUtf16Converter() {
    thread_local Converter c("CP932", kUtf16);
    return c;
}

}  // namespace

Decoded Decode(std::string_view bytes) {
    Decoded result;
    if (bytes.empty()) return result;
    // Every byte yields at most one UTF-16 unit.
    result.text.resize(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outStart = reinterpret_cast<char*>(result.text.data());
    char* out = outStart;
    std::size_t outLeft = result.text.size() * sizeof(char16_t);
    Converter& conv = ToUtf16Converter();
    while (inLeft > 0) {
        int err = conv.Run(in, inLeft, out, outLeft);
        if (err == 0) break;
        if (err == E2BIG) throw std::logic_error("codepage: output estimate too small");
        // EILSEQ or EINVAL: the byte at `in` does not start a character.
        char16_t esc = static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(*in));
        std::memcpy(out, &esc, sizeof esc);
        out += sizeof esc;
        outLeft -= sizeof esc;
        ++in;
        --inLeft;
        ++result.undecodable;
    }
    result.text.resize(static_cast<std::size_t>(out - outStart) / sizeof(char16_t));
    return result;
}

Encoded Encode(std::u16string_view text) {
    Encoded result;
    if (text.empty()) return result;
    // Every UTF-16 unit yields at most two bytes.
    result.bytes.resize(text.size() * 2);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    char* outStart = result.bytes.data();
    char* out = outStart;
    std::size_t outLeft = result.bytes.size();
    Converter& conv = FromUtf16Converter();
    while (inLeft >= sizeof(char16_t)) {
        int err = conv.Run(in, inLeft, out, outLeft);
        if (err == 0) break;
        if (err == E2BIG) throw std::logic_error("codepage: output estimate too small");
        char16_t c;
        std::memcpy(&c, in, sizeof c);
        std::size_t units = 1;
        if (IsByteEscape(c)) {
            *out = static_cast<char>(c - kEscapeBase);
        } else {
            if (c >= 0xD800 && c <= 0xDBFF && inLeft >= 2 * sizeof(char16_t)) {
                char16_t low;
                std::memcpy(&low, in + sizeof c, sizeof low);
                if (low >= 0xDC00 && low <= 0xDFFF) units = 2;
            }
            *out = kDefaultChar;
            ++result.defaulted;
        }
        ++out;
        --outLeft;
        in += units * sizeof(char16_t);
        inLeft -= units * sizeof(char16_t);
    }
    result.bytes.resize(static_cast<std::size_t>(out - outStart));
    return result;
}

namespace {
std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b <= 0xF4) {
            len = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            if (i + len <= utf8.size()) {
                char32_t v = b & (0x3F >> (len - 1));
                bool ok = true;
                for (std::size_t k = 1; k < len; ++k) {
                    unsigned char t = static_cast<unsigned char>(utf8[i + k]);
                    if ((t & 0xC0) != 0x80) { ok = false; break; }
                    v = (v << 6) | (t & 0x3F);
                }
                bool minimal = (len == 2) || (len == 3 && v >= 0x800) || (len == 4 && v >= 0x10000);
                if (ok && minimal && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) cp = v;
                else len = 1;
            } else {
                len = 1;
            }
        }
        AppendUtf16(out, cp);
        i += len;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size() * 3);
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
}  // namespace

std::string Utf8ToBytes(std::string_view utf8) { return ToBytes(Utf8ToUtf16(utf8)); }
std::string BytesToUtf8(std::string_view bytes) { return Utf16ToUtf8(ToUtf16(bytes)); }

}  // namespace platform::codepage
