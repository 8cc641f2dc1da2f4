#include "control/engine/line_transform.h"

#include <algorithm>

#include "control/engine/char_routines.h"

namespace tarn {
namespace {
constexpr char kWideSpace[] = "\x81\x40";

// The character of s ending at byte end (exclusive) is a blank.
int BlankBefore(std::string_view s, int end, bool wide, bool singleByte) {
    const int n = CharLengthBefore(s, end, singleByte);
    if (n == 2) return wide && s.substr(static_cast<std::size_t>(end - 2), 2) == kWideSpace ? 2 : 0;
    const char c = s[static_cast<std::size_t>(end - 1)];
    return c == ' ' || c == '\t' ? 1 : 0;
}

int BlankAt(std::string_view s, int at, bool wide, bool singleByte) {
    const int n = CharLengthAt(s, at, singleByte);
    if (n == 2) return wide && s.substr(static_cast<std::size_t>(at), 2) == kWideSpace ? 2 : 0;
    const char c = s[static_cast<std::size_t>(at)];
    return c == ' ' || c == '\t' ? 1 : 0;
}
}  // namespace

std::string_view TrimBlanks(std::string_view s, bool left, bool right, bool wide, bool singleByte) {
    int begin = 0;
    int end = static_cast<int>(s.size());
    if (right) {
        while (end > 0) {
            const int n = BlankBefore(s, end, wide, singleByte);
            if (n == 0) break;
            end -= n;
        }
    }
    if (left) {
        while (begin < end) {
            const int n = BlankAt(s, begin, wide, singleByte);
            if (n == 0) break;
            begin += n;
        }
    }
    return s.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

std::string AlignLine(std::string_view s, TxMovestate state, int clm, bool singleByte) {
    const std::string_view t = TrimBlanks(s, true, true, true, singleByte);
    if (t.empty()) return std::string();
    // A width beyond any line the control can show would only allocate.
    clm = std::clamp(clm, 0, 0xFFFF);
    const int len = static_cast<int>(t.size());
    int pad = 0;
    if (state == MCenter) pad = (clm - len) / 2;
    else if (state == MRight) pad = clm - len;
    std::string out;
    if (pad > 0) out.assign(static_cast<std::size_t>(pad), ' ');
    out += t;
    return out;
}

std::string SplitField(std::string& str, std::string_view delimiter) {
    const std::size_t p = delimiter.empty() ? std::string::npos : str.find(delimiter);
    if (p == std::string::npos) {
        std::string value = std::move(str);
        str.clear();
        return value;
    }
    std::string value = str.substr(0, p);
    str.erase(0, p + 1);
    return value;
}

}  // namespace tarn
