// The recorder every editing primitive reports to: the undo history within
// its byte budget, and the redo history that any new record ends.
#include <algorithm>
#include <new>

#include "control/engine/tarn_edit.h"

namespace tarn {

bool TTarnEdit::EditSave(TxUndoAction action, std::string_view s, int posx, int posy) {
    if (s.empty()) return true;
    if (!Modified) {
        Modified = true;
        Raise(OnChangeModify, true);
    }
    if (!UndoRec || UndoBuf == 0) return true;
    if (posx == -1) {
        posy = SelEndY;
        if (GCurposY < SelEndY) {
            posx = GCurposX;
            posy = GCurposY;
        } else if (SelEndY < GCurposY) {
            posx = SelEndX;
        } else {
            posx = std::min(GCurposX, SelEndX);
        }
    }
    if (WordWrap() && HasRow(0)) {
        // Positions from the host may lie anywhere; convert only real ones.
        posy = ClampRow(posy);
        posx = std::max(0, posx);
        WtoNcurpos(posx, posy);
    }
    bool kept = false;
    try {
        kept = history_.Record(action, std::string(s), posx, posy, UndoBuf);
    } catch (const std::bad_alloc&) {
        ShowMessage("Error:OC001");
    }
    // Any new record makes the redo history meaningless, whether or not
    // the events ever reported it (the host can fill it through RedoSave).
    history_.Redo.Clear();
    if (CanRedo) {
        CanRedo = false;
        Raise(OnChangeRedoMode, false);
    }
    return kept;
}

void TTarnEdit::RedoSave(TxUndoAction Action, bool UndoF) {
    try {
        history_.Move(Action, UndoF);
    } catch (const std::bad_alloc&) {
        ShowMessage(UndoF ? "Error:OC001_2" : "Error:OC001_3");
    }
}

}  // namespace tarn
