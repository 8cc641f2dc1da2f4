// TEMPORARY stand-ins for the editing primitives, word-wrap off only, so
// that find and replace can be built and tested before the editing code
// is merged. Removed on that merge; nothing here records undo.
#include <algorithm>

#include "control/engine/tarn_edit.h"

namespace tarn {
namespace {
std::int64_t OffsetOf(const TTarnStrings& lines, int x, int y) {
    std::int64_t off = 0;
    for (int i = 0; i < y; ++i) off += static_cast<std::int64_t>(lines.Line(i).size());
    return off + x;
}
TextPos PosOf(const TTarnStrings& lines, std::int64_t off) {
    for (int i = 0; i < lines.Count(); ++i) {
        const auto len = static_cast<std::int64_t>(lines.Line(i).size());
        if (off < len || i == lines.Count() - 1) return {static_cast<int>(std::min(off, len)), i};
        off -= len;
    }
    return {};
}
}  // namespace

void TTarnEdit::NtoWcurpos(int&, int&) const {}
void TTarnEdit::WtoNcurpos(int&, int&) const {}

void TTarnEdit::InsertAtCaret(std::string_view text, bool, bool, bool) {
    std::string all = Lines.GetTextStr();
    const std::int64_t off = OffsetOf(Lines, CurposX, CurposY);
    all.insert(static_cast<std::size_t>(off), text);
    Lines.SetTextStr(all);
    const TextPos p = PosOf(Lines, off + static_cast<std::int64_t>(text.size()));
    CurposX = GCurposX = SelEndX = p.X;
    CurposY = GCurposY = SelEndY = p.Y;
}

void TTarnEdit::DeleteSelection(bool, bool, bool) {
    std::int64_t a = OffsetOf(Lines, GCurposX, GCurposY);
    std::int64_t b = OffsetOf(Lines, SelEndX, SelEndY);
    OrderPair(a, b);
    std::string all = Lines.GetTextStr();
    all.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
    Lines.SetTextStr(all);
    SelFlag = AllSelFlag = false;
    const TextPos p = PosOf(Lines, a);
    CurposX = GCurposX = SelEndX = p.X;
    CurposY = GCurposY = SelEndY = p.Y;
}

void TTarnEdit::PrintText(std::string_view Str, int x1, int y1, int x2, int y2) {
    ResetSel();
    if (x1 >= 0) GCurposX = x1;
    if (y1 >= 0) GCurposY = y1;
    CurposX = GCurposX;
    CurposY = GCurposY;
    if (y2 >= 0) {
        int ex = x2, ey = y2;
        if (!(x2 >= 0 && x2 < static_cast<int>(Lines.Line(y2).size()))) {
            if (y2 == LastLine()) ex = static_cast<int>(Lines.Line(y2).size()) - 1;
            else ex = 0, ey = y2 + 1;
        }
        SelEndX = ex;
        SelEndY = ey;
        DeleteSelection(false, false);
    }
    InsertAtCaret(Str, false, false);
    Raise(OnChange);
}

void TTarnEdit::PrintText2(std::string_view Str, int& index1, int& index2) {
    if (index2 < index1) return;
    ResetSel();
    GCurposX = 0;
    GCurposY = index1;
    if (index2 == LastLine()) {
        SelEndX = static_cast<int>(Lines.Line(index2).size()) - 1;
        SelEndY = index2;
    } else {
        SelEndX = 0;
        SelEndY = index2 + 1;
    }
    DeleteSelection(false, false);
    InsertAtCaret(Str, false, false);
    Raise(OnChange);
}

}  // namespace tarn
