#include "control/engine/tarn_edit.h"

namespace tarn {

// Until the layout code is in, the document is always shown unwrapped.
void TTarnEdit::SetWordWrap(bool value, bool /*update*/) { wordWrap_ = value; }

void TTarnEdit::RefreshLine() {
    View().UpdateScrollRanges();
    View().RepaintAll();
    CaretUpdate();
}

}  // namespace tarn
