// The recorder every editing primitive reports to. For now it only keeps
// the modified state; the histories replace it.
#include "control/engine/tarn_edit.h"

namespace tarn {

bool TTarnEdit::EditSave(TxUndoAction /*action*/, std::string_view s, int /*posx*/, int /*posy*/) {
    if (s.empty()) return true;
    if (!Modified) {
        Modified = true;
        Raise(OnChangeModify, true);
    }
    return true;
}

}  // namespace tarn
