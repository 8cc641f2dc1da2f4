// What the tag dialogs share. On OK the selection goes into the markup built
// from it, and the markup replaces the selection (nothing is pasted when a
// dialog's rules make no markup).
#pragma once

#include "host/common/control_host.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

namespace quenby::authoring {

template <class Build>
void ReplaceSelection(ControlHost& control, Build build) {
    const QString markup = build(control.Get<QString>(tarnedit::dispid::SelText));
    if (!markup.isEmpty()) control.TextPaste(markup);
}

// The OK and キャンセル buttons every tag dialog ends with, right-aligned in
// one row; OK is the default button.
struct OkCancelRow {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};

inline OkCancelRow MakeOkCancelRow(QDialog* dialog) {
    OkCancelRow r{new QPushButton(QStringLiteral("OK"), dialog), new QPushButton(QStringLiteral("キャンセル"), dialog),
                  new QHBoxLayout};
    r.ok->setObjectName(QStringLiteral("OKButton"));
    r.ok->setDefault(true);
    r.cancel->setObjectName(QStringLiteral("CancelButton"));
    r.row->addStretch(1);
    r.row->addWidget(r.ok);
    r.row->addWidget(r.cancel);
    return r;
}

// Runs a dialog modally for the editor that owns it.
template <class Dialog, class Editor>
void RunDialog(Editor& editor) {
    Dialog dialog(editor);
    dialog.exec();
}

}  // namespace quenby::authoring
