// What the tag dialogs do on OK: the selection goes into the markup built
// from it, and the markup replaces the selection (nothing is pasted when a
// dialog's rules make no markup).
#pragma once

#include "host/common/control_host.h"

#include <QString>

namespace quenby::authoring {

template <class Build>
void ReplaceSelection(ControlHost& control, Build build) {
    const QString markup = build(control.Get<QString>(tarnedit::dispid::SelText));
    if (!markup.isEmpty()) control.TextPaste(markup);
}

// Runs a dialog modally for the editor that owns it.
template <class Dialog, class Editor>
void RunDialog(Editor& editor) {
    Dialog dialog(editor);
    dialog.exec();
}

}  // namespace quenby::authoring
