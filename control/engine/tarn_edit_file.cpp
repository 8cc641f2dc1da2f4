#include "control/engine/tarn_edit.h"

namespace tarn {

bool TTarnEdit::LoadFromFile(const std::filesystem::path& name) {
    try {
        Lines.LoadFromFile(name);
    } catch (const std::exception&) {
        // The store is replaced only by a complete read: the document stays.
        return false;
    }
    ResetState();
    View().UpdateScrollRanges();
    RefreshLine();
    MoveCaret(0, 0, Txmovemode::normal, true, true);
    return true;
}

bool TTarnEdit::SaveToFile(const std::filesystem::path& name) const {
    try {
        Lines.SaveToFile(name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tarn
