// The editor's display flags and the settings keys that keep them. The
// start-up reads them into the editor and the options dialog writes them
// back, so the pairing lives in one place.
#pragma once

#include <QString>

#include "host/common/control_host.h"

namespace quenby::shell {

struct DisplayFlag {
    const char* key;
    com::DISPID property;
};

// In the order the start-up applies them.
inline constexpr DisplayFlag kDisplayFlags[] = {
    {"ShowCR", tarnedit::dispid::ShowCR},
    {"ShowEOF", tarnedit::dispid::ShowEOF},
    {"ShowTAB", tarnedit::dispid::ShowTAB},
    {"ShowRuler", tarnedit::dispid::ShowRuler},
    {"ShowRulerCursor", tarnedit::dispid::ShowRulerCur},
    {"ShowSingleSpace", tarnedit::dispid::ShowSglSpace},
    {"ShowDoubleSpace", tarnedit::dispid::ShowDblSpace},
    {"ShowUnderLine", tarnedit::dispid::ShowUnderLine},
    {"ShowLineNumber", tarnedit::dispid::ShowLineNumber},
};

// The settings key of a display property, "" for none.
inline QString DisplayFlagKey(com::DISPID property) {
    for (const DisplayFlag& f : kDisplayFlags)
        if (f.property == property) return QString::fromLatin1(f.key);
    return {};
}

}  // namespace quenby::shell
