// The public editing commands built on the two primitives: paste, the
// clipboard, clearing, replacing ranges and deleting to the line's ends.
#include <algorithm>

#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::TextPaste(std::string_view s) {
    const bool hadSelection = Selmode();
    EditRange r{CurposY, CurposY, CurposY};
    if (hadSelection) r = DeleteForReplace();
    const EditRange ins = BoxSelMode() ? BoxInsert(s, true) : StreamInsert(s, true);
    Refresh(hadSelection ? Merge(r, ins) : ins);
    Raise(OnChange);
}

void TTarnEdit::Paste() {
    std::string text;
    if (View().ClipboardText(text)) TextPaste(text);
}

void TTarnEdit::TxtCopy() {
    if (CaretScrollFix) MoveCaret(-1, CurposY, Txmovemode::normal, false, false);
    if (Selmode()) View().SetClipboardText(SelText(), SelFlag && BoxSelMode());
}

void TTarnEdit::Cut() {
    TxtCopy();
    if (Selmode()) Refresh(DeleteForReplace());
    Raise(OnChange);
}

void TTarnEdit::ClearSelection() {
    if (Selmode()) Refresh(DeleteForReplace());
    Raise(OnChange);
}

void TTarnEdit::Clear() {
    Lines.Clear();
    Lines.Add(std::string(1, '\0'));
    ResetState();
    View().UpdateScrollRanges();
    View().RepaintAll();
    MoveCaret(0, 0, Txmovemode::normal, true, true);
}

void TTarnEdit::Recreate() {
    ResetSel();
    Lines.Clear();
    Lines.Add(std::string(1, '\0'));
    ResetState();
    View().RecreateWindow();
    View().UpdateScrollRanges();
    View().RepaintAll();
    MoveCaret(0, 0, Txmovemode::normal, true, true);
}

void TTarnEdit::PrintText(std::string_view Str, int x1, int y1, int x2, int y2) {
    ResetSel();
    if (x1 >= 0) GCurposX = x1;
    if (y1 >= 0) GCurposY = y1;
    if (GCurposY > LastLine()) TTarnStrings::Error();
    const TextPos anchor = CleanPosition({GCurposX, GCurposY}, false);
    EditRange r{anchor.Y, anchor.Y, anchor.Y};
    if (y2 >= 0) {
        TextPos end;
        // The full length of line y2 is asked first: a line beyond the
        // document is the store's range error.
        if (x2 >= 0 && (x2 < static_cast<int>(Lines.Line(y2).size()) || WordWrap())) {
            end = {x2, std::min(y2, LastLine())};
            if (WordWrap()) {
                while (end.Y < LastLine() && !HasLineBreak(Lines.Line(end.Y)) &&
                       end.X > static_cast<int>(Lines.Line(end.Y).size())) {
                    end.X -= static_cast<int>(Lines.Line(end.Y).size());
                    ++end.Y;
                }
            }
        } else if (y2 >= LastLine()) {
            end = {static_cast<int>(Lines.Line(LastLine()).size()) - 1, LastLine()};
        } else {
            end = {0, y2 + 1};
        }
        GCurposX = anchor.X;
        GCurposY = anchor.Y;
        SelEndX = end.X;
        SelEndY = end.Y;
        r = StreamDelete(true);
    } else {
        CurposX = anchor.X;
        CurposY = anchor.Y;
    }
    r = Merge(r, StreamInsert(Str, true));
    if (WordWrap()) {
        // What was put in is cut to the wrap width like any other edit.
        Rewrap(r.first, r.last, true, r.countChanged == -1);
    } else if (!MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true)) {
        if (r.countChanged == -1) View().RedrawRows(kRedrawFrom, r.first, r.first);
        else View().RedrawRows(kRedrawRange, r.first, r.last);
        View().UpdateScrollRanges();
    }
    Raise(OnChange);
}

void TTarnEdit::PrintText2(std::string_view Str, int& index1, int& index2) {
    if (index2 < index1) return;
    if (index1 < 0 || index1 > LastLine()) TTarnStrings::Error();
    ResetSel();
    const int last = LastLine();
    const int i2 = std::min(index2, last);
    GCurposX = 0;
    GCurposY = index1;
    if (i2 == last) {
        SelEndX = static_cast<int>(Lines.Line(last).size()) - 1;
        SelEndY = last;
    } else {
        SelEndX = 0;
        SelEndY = i2 + 1;
    }
    const int before = LineCount();
    EditRange r = StreamDelete(true);
    const int k = before - LineCount();
    ClOffsetX = 0;
    const int between = LineCount();
    r = Merge(r, StreamInsert(Str, true));
    const int added = LineCount() - between;
    if (WordWrap()) {
        Rewrap(r.first, r.last, true, true);
    } else {
        MoveCaret(CurposX, CurposY, Txmovemode::normal, true, true);
        View().UpdateScrollRanges();
        View().RepaintAll();
    }
    if (added != k) index2 = LastVisibleLine();
    else if (!Str.empty() && (Str.back() == '\n' || Str.back() == '\0')) index2 = index1 + k - 1;
    else index2 = index1 + k;
    Raise(OnChange);
}

void TTarnEdit::LineDelTop() {
    if (AllSelFlag) ResetSel();
    if (!SelFlag) {
        int i1 = CurposY, i2 = CurposY;
        GetWrapColumn(i1, i2);
        GCurposX = 0;
        GCurposY = i1;
        SelEndX = CurposX;
        SelEndY = CurposY;
    }
    Refresh(StreamDelete(true));
}

void TTarnEdit::LineDelEnd() {
    if (AllSelFlag) ResetSel();
    if (!SelFlag) {
        int i1 = CurposY, i2 = CurposY;
        GetWrapColumn(i1, i2);
        GCurposX = CurposX;
        GCurposY = CurposY;
        SelEndX = VisibleLength(Lines.Line(i2));
        SelEndY = i2;
    }
    Refresh(StreamDelete(true));
}

}  // namespace tarn
