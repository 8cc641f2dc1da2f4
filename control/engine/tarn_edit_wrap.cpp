#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::RefreshLine() {
    View().UpdateScrollRanges();
    View().RepaintAll();
    CaretUpdate();
}

}  // namespace tarn
