#include "control/engine/char_routines.h"

#include "platform/codepage/codepage.h"

namespace tarn {

using platform::codepage::IsLeadByte;

ByteType GetByteType(std::string_view s, int pos, bool singleByte) noexcept {
    const int len = static_cast<int>(s.size());
    if (singleByte || pos < 1 || pos > len) return kSingleByte;
    // The bytes before pos that pass the lead-byte test pair up from the
    // start of their run: an even distance from the run's start makes pos a
    // trail byte.
    int start = pos - 1;  // 1-based index of the earliest byte of the run
    while (start >= 1 && IsLeadByte(s[static_cast<std::size_t>(start - 1)])) --start;
    if ((pos - start) % 2 == 0) return kTrailByte;
    return IsLeadByte(s[static_cast<std::size_t>(pos - 1)]) ? kLeadByte : kSingleByte;
}

std::string_view VisibleText(std::string_view s) noexcept {
    if (s.empty()) return s;
    if (s.back() == '\0') return s.substr(0, s.size() - 1);
    if (s.back() == '\n') return s.substr(0, s.size() >= 2 ? s.size() - 2 : 0);
    return s;
}

int CharLengthAt(std::string_view s, int col, bool singleByte) noexcept {
    if (col + 1 < static_cast<int>(s.size()) && GetByteType(s, col + 1, singleByte) == kLeadByte) return 2;
    return 1;
}

int CharLengthBefore(std::string_view s, int col, bool singleByte) noexcept {
    if (col >= 2 && GetByteType(s, col, singleByte) == kTrailByte) return 2;
    return 1;
}

}  // namespace tarn
