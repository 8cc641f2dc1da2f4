// The line-range transforms: each rewrites whole text lines as one delete
// and one insert, so a single undo step takes it back.
#include <algorithm>

#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::TransformLines(int& index1, int& index2, const std::function<std::string(std::string_view)>& each) {
    index1 = std::max(0, index1);
    index2 = std::min(LastLine(), index2);
    if (index2 < index1) return;
    ResetSel();
    const bool wrapped = WordWrap();
    if (wrapped) {
        int x = 0;
        WtoNcurpos(x, index1);
        x = 0;
        WtoNcurpos(x, index2);
        SetWordWrap(false, false);
    }
    const int last = LastLine();
    index2 = std::min(index2, last);
    std::string text;
    for (int i = index1; i <= index2; ++i) {
        text += each(VisibleText(Lines.Line(i)));
        // The document's last line has no line break to keep.
        if (i != last) text += "\r\n";
    }
    PrintText2(text, index1, index2);
    if (wrapped) {
        SetWordWrap(true, false);
        index2 = LastVisibleLine();
    }
}

void TTarnEdit::TarnTrimRight(int& index1, int& index2, bool wordF) {
    const bool sb = SingleByteMode;
    TransformLines(index1, index2, [=](std::string_view s) { return std::string(TrimBlanks(s, false, true, wordF, sb)); });
}

void TTarnEdit::TarnTrimLeft(int& index1, int& index2, bool wordF) {
    const bool sb = SingleByteMode;
    TransformLines(index1, index2, [=](std::string_view s) { return std::string(TrimBlanks(s, true, false, wordF, sb)); });
}

void TTarnEdit::TarnTrim(int& index1, int& index2, bool wordF) {
    const bool sb = SingleByteMode;
    TransformLines(index1, index2, [=](std::string_view s) { return std::string(TrimBlanks(s, true, true, wordF, sb)); });
}

void TTarnEdit::LineTabTospc(int& index1, int& index2) {
    TransformLines(index1, index2, [this](std::string_view s) { return Tabtospace(s); });
}

void TTarnEdit::Movestr(int& index1, int& index2, TxMovestate Movestate, int Clm) {
    const bool sb = SingleByteMode;
    TransformLines(index1, index2, [=](std::string_view s) { return AlignLine(s, Movestate, Clm, sb); });
}

}  // namespace tarn
