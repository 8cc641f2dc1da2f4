#include "control/engine/edit_messages.h"

#include <algorithm>
#include <cstring>

#include "control/engine/tarn_edit.h"

namespace tarn {

namespace msg = platform::messages;
using msg::DWORD;
using msg::LPARAM;
using msg::LRESULT;
using msg::WORD;
using msg::WPARAM;

DWORD PackPosition(int column, int row) noexcept {
    return msg::MAKELONG(static_cast<unsigned>(std::clamp(column, 0, 0xFFFF)),
                         static_cast<unsigned>(std::clamp(row, 0, 32767)));
}

namespace {

template <class T>
T* Pointer(std::uintmax_t v) noexcept {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(v));
}

// A row's bytes as the messages count them: the CR LF belongs to the row,
// the end-of-text NUL does not.
std::string_view RowBytes(const TTarnEdit& e, WPARAM row) {
    if (row >= static_cast<WPARAM>(e.LineCount())) return {};
    std::string_view s = e.Lines.Line(static_cast<int>(row));
    if (HasEofMark(s)) s.remove_suffix(1);
    return s;
}

LRESULT GetSel(TTarnEdit& e, WPARAM wParam, LPARAM lParam) {
    if (auto* start = Pointer<DWORD>(wParam)) *start = PackPosition(e.GCurposX, e.GCurposY);
    if (auto* end = Pointer<DWORD>(static_cast<std::uintmax_t>(lParam))) *end = PackPosition(e.SelEndX, e.SelEndY);
    return e.SelLength();
}

LRESULT SetSel(TTarnEdit& e, WPARAM wParam, LPARAM lParam) {
    const auto l = static_cast<std::uintmax_t>(lParam);
    e.SetselLine(msg::LOWORD(wParam), msg::HIWORD(wParam), msg::LOWORD(l), msg::HIWORD(l));
    return 0;
}

LRESULT GetLine(TTarnEdit& e, WPARAM row, LPARAM lParam) {
    const std::string_view bytes = RowBytes(e, row);
    if (bytes.empty()) return 0;
    auto* buffer = Pointer<char>(static_cast<std::uintmax_t>(lParam));
    if (!buffer) return 0;
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const std::size_t n = std::min<std::size_t>(bytes.size(), size);
    std::memcpy(buffer, bytes.data(), n);
    return static_cast<LRESULT>(n);
}

LRESULT GetText(TTarnEdit& e, WPARAM size, LPARAM lParam) {
    auto* buffer = Pointer<char>(static_cast<std::uintmax_t>(lParam));
    if (!buffer || size == 0) return 0;
    const std::string text = e.Text();
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

}  // namespace

std::optional<LRESULT> EditControlMessage(TTarnEdit& e, msg::UINT m, WPARAM wParam, LPARAM lParam) {
    switch (m) {
        case msg::EM_GETSEL: return GetSel(e, wParam, lParam);
        case msg::EM_SETSEL: return SetSel(e, wParam, lParam);
        case msg::EM_GETLINECOUNT: return e.LineCount();
        case msg::EM_LINELENGTH: return static_cast<LRESULT>(RowBytes(e, wParam).size());
        case msg::EM_GETLINE: return GetLine(e, wParam, lParam);
        case msg::EM_GETFIRSTVISIBLELINE: return e.ClOffsetY;
        case msg::WM_GETTEXT: return GetText(e, wParam, lParam);
        case msg::WM_GETTEXTLENGTH: return static_cast<LRESULT>(e.Text().size());
        case msg::WM_CUT: e.Cut(); return 0;
        case msg::WM_COPY: e.TxtCopy(); return 0;
        case msg::WM_PASTE: e.Paste(); return 0;
        case msg::WM_CLEAR: e.Clear(); return 0;
        default: return std::nullopt;
    }
}

}  // namespace tarn
