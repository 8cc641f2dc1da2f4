#include "control/engine/line_breaks.h"

namespace tarn {

std::string NormalizeLineBreaks(std::string_view text) {
    if (text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else if (c != '\0') {
            out.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> SplitBoxLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string cur;
    bool open = false;  // a line has begun and is not yet closed
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(std::move(cur));
            cur.clear();
            open = false;
        } else {
            if (c != '\0') cur.push_back(c);
            open = true;
        }
    }
    if (open) lines.push_back(std::move(cur));
    return lines;
}

}  // namespace tarn
