// Key bindings and typed characters.
#include <QCursor>

#include "control/engine/word_move.h"
#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {

namespace msg = platform::messages;

namespace {
// Vertical scrolls started while a key is handled move the caret even with
// CaretScrollFix on.
class KeyboardScope {
public:
    explicit KeyboardScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~KeyboardScope() { flag_ = false; }
    KeyboardScope(const KeyboardScope&) = delete;
    KeyboardScope& operator=(const KeyboardScope&) = delete;

private:
    bool& flag_;
};
}  // namespace

std::optional<LRESULT> TViewInput::KeyMessage(UINT m, WPARAM wParam, LPARAM) {
    switch (m) {
        case msg::WM_KEYDOWN:
            KeyDown(static_cast<int>(wParam));
            return 0;
        case msg::WM_KEYUP:
            KeyUp(static_cast<int>(wParam));
            return 0;
        case msg::WM_CHAR:
            Char(static_cast<unsigned>(wParam));
            return 0;
        case msg::WM_SYSKEYDOWN: {
            int key = static_cast<int>(wParam);
            if (OnKeyDown) OnKeyDown(key, ShiftBits());
            if (key == static_cast<int>(msg::VK_MENU) && view_.Editor().CaretScrollFix) BringCaretIntoView();
            return 0;
        }
        case msg::WM_SYSKEYUP: {
            int key = static_cast<int>(wParam);
            if (OnKeyUp) OnKeyUp(key, ShiftBits());
            return 0;
        }
        case WM_SYSCHAR:
            return 0;
        case msg::WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (WantTabs) code |= DLGC_WANTTAB;
            return code;
        }
        default:
            return std::nullopt;
    }
}

void TViewInput::KeyDown(int key) {
    TTarnEdit& e = view_.Editor();
    const int shift = ShiftBits();
    if (OnKeyDown) OnKeyDown(key, shift);
    heldKeys_.insert(static_cast<unsigned>(key));
    if (e.Dragging() && (shift & kCtrlMask)) {
        e.DragCursor = 2;
        view_.setCursor(Qt::DragCopyCursor);
    }
    if (key == 0) return;
    const KeyboardScope scope(keyboardScroll_);
    const bool ro = e.ReadOnly;
    const bool ctrl = shift & kCtrlMask;
    const bool sh = shift & kShiftMask;
    if (ctrl) {
        if (e.CaretScrollFix && key < 32) BringCaretIntoView();
        CtrlBinding(key, ro);
    } else {
        PlainBinding(key);
    }
    if (sh) ShiftBinding(key, ro);
    if (!sh && !ctrl) NoModifierBinding(key, ro);
    AnyModifierBinding(key, ro);
}

bool TViewInput::CtrlBinding(int key, bool ro) {
    TTarnEdit& e = view_.Editor();
    switch (static_cast<unsigned>(key)) {
        case msg::VK_BACK: if (!ro) WordBackspace(); return true;
        case msg::VK_END: e.SetEnd(); SelectAfterMove(); return true;
        case msg::VK_HOME: e.SetHome(); SelectAfterMove(); return true;
        case msg::VK_LEFT: WordLeft(); return true;
        case msg::VK_RIGHT: WordRight(); return true;
        case msg::VK_INSERT:
        case 'C': e.TxtCopy(); return true;
        case msg::VK_DELETE: if (!ro) WordDelete(); return true;
        case 'A': e.AllSel(); return true;
        case 'V': if (!ro) e.Paste(); return true;
        case 'X': if (!ro) e.Cut(); return true;
        case 'Z': if (!ro) e.Undo(); return true;
        case VK_OEM_COMMA: RowStart(); return true;
        case VK_OEM_PERIOD: RowEnd(); return true;
        default: return false;
    }
}

void TViewInput::PlainBinding(int key) {
    switch (static_cast<unsigned>(key)) {
        case msg::VK_END: RowEnd(); break;
        case msg::VK_HOME: RowStart(); break;
        case msg::VK_LEFT: CharLeft(); break;
        case msg::VK_RIGHT: CharRight(); break;
        default: break;
    }
}

void TViewInput::ShiftBinding(int key, bool ro) {
    if (ro) return;
    TTarnEdit& e = view_.Editor();
    if (static_cast<unsigned>(key) == msg::VK_INSERT) e.Paste();
    else if (static_cast<unsigned>(key) == msg::VK_DELETE) e.Cut();
}

void TViewInput::NoModifierBinding(int key, bool ro) {
    TTarnEdit& e = view_.Editor();
    switch (static_cast<unsigned>(key)) {
        case msg::VK_BACK: if (!ro) e.BackSpace(); break;
        case msg::VK_INSERT:
            if (!ro) {
                e.InsMode = !e.InsMode;
                if (e.OnChangeInsMode) e.OnChangeInsMode(e.InsMode);
            }
            break;
        case msg::VK_DELETE: if (!ro) e.DeleteKey(); break;
        default: break;
    }
    if ((heldKeys_.count(VK_CONVERT) || heldKeys_.count(VK_NONCONVERT)) && e.CaretScrollFix) BringCaretIntoView();
}

void TViewInput::AnyModifierBinding(int key, bool ro) {
    TTarnEdit& e = view_.Editor();
    switch (static_cast<unsigned>(key)) {
        case msg::VK_TAB: if (!ro) e.InsertTab(); break;
        case msg::VK_RETURN: if (!ro) e.NewLine(); break;
        case msg::VK_ESCAPE:
            if (e.CaretScrollFix) BringCaretIntoView();
            e.SelectionChanged();  // forgets the find highlight
            break;
        case msg::VK_PRIOR: PageMove(false); break;
        case msg::VK_NEXT: PageMove(true); break;
        case msg::VK_UP: RowMove(-1); break;
        case msg::VK_DOWN: RowMove(1); break;
        default: break;
    }
}

void TViewInput::KeyUp(int key) {
    TTarnEdit& e = view_.Editor();
    view_.RepeatCount = 0;
    const int shift = ShiftBits();
    heldKeys_.erase(static_cast<unsigned>(key));
    if (OnKeyUp) OnKeyUp(key, shift);
    if (e.Dragging() && !(shift & kCtrlMask) && e.DragCursor != e.DragStartCursor) {
        e.DragCursor = e.DragStartCursor;
        view_.setCursor(Qt::DragMoveCursor);
    }
}

void TViewInput::Char(unsigned code) {
    TTarnEdit& e = view_.Editor();
    int key = static_cast<int>(code & 0xFF);
    if (OnKeyPress) OnKeyPress(key);
    if (key <= 0 || key > 0xFF) return;
    const auto b = static_cast<unsigned char>(key);
    const bool blocked = e.ReadOnly || (ShiftBits() & kCtrlMask);
    if (platform::codepage::IsLeadByte(b)) {
        // The trail byte is the next character message, or the lead is lost.
        if (charQueue_.empty() || charQueue_.front() < 0x40 || charQueue_.front() > 0xFF) return;
        const auto trail = static_cast<char>(charQueue_.front());
        charQueue_.pop_front();
        if (!blocked) e.TypeText(std::string{static_cast<char>(b), trail});
        return;
    }
    if (blocked) return;
    if ((b >= 32 && b <= 126) || b >= 160) e.TypeText(std::string(1, static_cast<char>(b)));
}

// ---- Caret moves ------------------------------------------------------------

void TViewInput::BringCaretIntoView() {
    TTarnEdit& e = view_.Editor();
    e.MoveCaret(-1, e.CurposY, Txmovemode::normal, false, false);
}

void TViewInput::SelectAfterMove() {
    TTarnEdit& e = view_.Editor();
    const bool extend = (ShiftBits() & kShiftMask) || e.MouseDownF;
    if (extend) {
        if (e.AllSelFlag || e.Dragging()) return;
        view_.EraseUnderline();
        e.SelFlag = true;
        view_.RepaintSelectionEnd(e.CurposX, e.CurposY);
    } else {
        e.ResetSel();
    }
    e.SelectionChanged();
    if (e.OnSelectionChange) e.OnSelectionChange();
}

void TViewInput::CharRight() {
    TTarnEdit& e = view_.Editor();
    const std::string& line = e.Lines.Line(e.CurposY);
    const int vis = VisibleLength(line);
    const bool last = !e.HasRow(e.CurposY + 1);
    auto nextRow = [&] {
        const bool sideways = e.ClOffsetX != 0;
        e.ClOffsetX = 0;
        e.MoveCaret(0, e.CurposY + 1, Txmovemode::normal, true, false);
        if (sideways) view_.RepaintAll();
    };
    if (e.CurposX < vis) {
        const int next = e.CurposX + CharLengthAt(line, e.CurposX, e.SingleByteMode);
        // A wrapped row has no position after its last character.
        if (next >= vis && IsWrapSegment(line) && !last) nextRow();
        else e.MoveCaret(next, e.CurposY, Txmovemode::normal, true, false);
    } else if (e.FreeCaretMode()) {
        if (e.CurposX < e.FreeCaretLimit()) e.MoveCaret(e.CurposX + 1, e.CurposY, Txmovemode::normal, true, false);
    } else if (!last) {
        nextRow();
    }
    SelectAfterMove();
}

void TViewInput::CharLeft() {
    TTarnEdit& e = view_.Editor();
    if (e.CurposX == 0 && e.CurposY == 0) return;
    if (e.CurposX == 0) {
        const int row = e.CurposY - 1;
        const std::string& prev = e.Lines.Line(row);
        int col = VisibleLength(prev);
        if (IsWrapSegment(prev)) col -= CharLengthBefore(prev, col, e.SingleByteMode);
        const int before = e.ClOffsetX;
        e.ClOffsetX = std::max(0, e.PixelOfColumn(row, col) + e.CaretMargin() - e.DwclientX);
        e.MoveCaret(col, row, Txmovemode::normal, true, false);
        if (e.ClOffsetX != before) view_.RepaintAll();
    } else {
        const std::string& line = e.Lines.Line(e.CurposY);
        const int vis = VisibleLength(line);
        const int col = e.CurposX > vis ? e.CurposX - 1 : e.CurposX - CharLengthBefore(line, e.CurposX, e.SingleByteMode);
        e.MoveCaret(col, e.CurposY, Txmovemode::normal, true, false);
    }
    SelectAfterMove();
}

void TViewInput::RowStart() {
    TTarnEdit& e = view_.Editor();
    if (e.CaretScrollFix) BringCaretIntoView();
    if (e.CurposX == 0 && e.CurposY == 0) return;
    const bool sideways = e.ClOffsetX != 0;
    e.ClOffsetX = 0;
    e.MoveCaret(0, e.CurposY, Txmovemode::normal, true, false);
    if (sideways) view_.RepaintAll();
    SelectAfterMove();
}

void TViewInput::RowEnd() {
    TTarnEdit& e = view_.Editor();
    const int vis = VisibleLength(e.Lines.Line(e.CurposY));
    if (!e.HasRow(e.CurposY + 1) && e.CurposX == vis) return;
    const int before = e.ClOffsetX;
    e.ClOffsetX = std::max(0, e.PixelOfColumn(e.CurposY, vis) + e.CaretMargin() - e.DwclientX);
    e.MoveCaret(vis, e.CurposY, Txmovemode::normal, true, false);
    if (e.ClOffsetX != before) view_.RepaintAll();
    SelectAfterMove();
}

// A word move that finds no run (before a TAB or a line end, at the start
// of a row) steps one character instead, so the caret never sticks.
void TViewInput::WordRight() {
    TTarnEdit& e = view_.Editor();
    const std::string& line = e.Lines.Line(e.CurposY);
    const int target = WordRightColumn(line, e.CurposX, e.SingleByteMode, e.FreeCaretMode());
    if (target == e.CurposX) {
        CharRight();
        return;
    }
    if (target >= VisibleLength(line) && IsWrapSegment(line) && e.HasRow(e.CurposY + 1))
        e.MoveCaret(0, e.CurposY + 1, Txmovemode::normal, true, false);
    else
        e.MoveCaret(target, e.CurposY, Txmovemode::normal, true, false);
    SelectAfterMove();
}

void TViewInput::WordLeft() {
    TTarnEdit& e = view_.Editor();
    if (e.CurposX == 0) {
        CharLeft();
        return;
    }
    const std::string& line = e.Lines.Line(e.CurposY);
    const int vis = VisibleLength(line);
    const int target = e.CurposX > vis ? vis : WordLeftColumn(line, e.CurposX, e.SingleByteMode);
    e.MoveCaret(target, e.CurposY, Txmovemode::normal, true, false);
    SelectAfterMove();
}

void TViewInput::WordDelete() {
    TTarnEdit& e = view_.Editor();
    if (e.CaretScrollFix) BringCaretIntoView();
    if (e.SelFlag) {
        e.ClearSelection();
        return;
    }
    if (e.AllSelFlag) e.ResetSel();
    const std::string& line = e.Lines.Line(e.CurposY);
    const int vis = VisibleLength(line);
    if (e.CurposX < static_cast<int>(line.size()) && line[static_cast<std::size_t>(e.CurposX)] == '\0') return;
    if (e.CurposX >= vis) {
        e.DeleteKey();
        return;
    }
    const char c = line[static_cast<std::size_t>(e.CurposX)];
    if (c == '\r' || c == '\t') {
        e.DeleteKey();
        return;
    }
    const int target = WordRightColumn(line, e.CurposX, e.SingleByteMode, e.FreeCaretMode());
    e.GCurposX = e.CurposX;
    e.GCurposY = e.CurposY;
    e.SelEndX = target;
    e.SelEndY = e.CurposY;
    e.SelFlag = true;
    e.DeleteSelection(true, false);
    if (e.OnChange) e.OnChange();
}

void TViewInput::WordBackspace() {
    TTarnEdit& e = view_.Editor();
    if (e.CaretScrollFix) BringCaretIntoView();
    if (e.CurposX == 0 && e.CurposY == 0) return;
    if (e.SelFlag) {
        e.ClearSelection();
        return;
    }
    if (e.AllSelFlag) e.ResetSel();
    const std::string& line = e.Lines.Line(e.CurposY);
    if (e.CurposX == 0 || e.CurposX > VisibleLength(line) ||
        line[static_cast<std::size_t>(e.CurposX - 1)] == '\t') {
        e.BackSpace();
        return;
    }
    const int target = WordLeftColumn(line, e.CurposX, e.SingleByteMode);
    e.GCurposX = e.CurposX;
    e.GCurposY = e.CurposY;
    e.SelEndX = target;
    e.SelEndY = e.CurposY;
    e.SelFlag = true;
    e.DeleteSelection(true, false);
    if (e.OnChange) e.OnChange();
}

void TViewInput::RowMove(int d) {
    TTarnEdit& e = view_.Editor();
    if (e.CaretScrollFix) BringCaretIntoView();
    const int k = e.KeepOutRows();
    const LPARAM origin = keyboardScroll_ ? kScrollFromKeyboard : 0;
    if (d > 0 && e.CurposY + k - e.ClOffsetY - e.ClLineCount >= 0) {
        view_.RepeatCount = view_.RepeatCount < 0 ? 1 : view_.RepeatCount + 1;
        // A view that cannot scroll further still lets the caret go down.
        if (view_.VScroll(msg::SB_LINEDOWN, 0, origin | kScrollFromKeyboard) == 0) view_.MoveCaretRows(1);
    } else if (d < 0 && e.CurposY - e.ClOffsetY - k < 0) {
        view_.RepeatCount = view_.RepeatCount > 0 ? -1 : view_.RepeatCount - 1;
        if (view_.VScroll(msg::SB_LINEUP, 0, origin | kScrollFromKeyboard) == 0) view_.MoveCaretRows(-1);
    } else {
        view_.MoveCaretRows(d);
    }
    SelectAfterMove();
}

void TViewInput::PageMove(bool down) {
    TTarnEdit& e = view_.Editor();
    const int rows = std::max(1, e.DwclientY / std::max(1, e.Lineheight));
    if (view_.VScroll(down ? msg::SB_PAGEDOWN : msg::SB_PAGEUP, 0, kScrollFromKeyboard) == 0)
        view_.MoveCaretRows(down ? rows : -rows);
    SelectAfterMove();
}

}  // namespace tarn::view
