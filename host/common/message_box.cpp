#include "host/common/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace quenby {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

MsgResult ShowReal(const MessageRequest& r) {
    QMessageBox box(r.owner);
    box.setWindowTitle(ProgramTitle());
    box.setText(r.text);
    static const QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                               QMessageBox::Critical, QMessageBox::Question};
    box.setIcon(kIcons[static_cast<int>(r.icon)]);
    static const QMessageBox::StandardButtons kButtons[] = {
        QMessageBox::Ok, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Yes | QMessageBox::No,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel};
    box.setStandardButtons(kButtons[static_cast<int>(r.buttons)]);
    switch (box.exec()) {
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        case QMessageBox::Cancel: return MsgResult::Cancel;
        default: break;
    }
    // Closing the box with Escape or its frame answers as Cancel would, or OK
    // where there is no Cancel.
    return r.buttons == MsgButtons::Ok ? MsgResult::Ok
           : r.buttons == MsgButtons::YesNo ? MsgResult::No
                                            : MsgResult::Cancel;
}

}  // namespace

QString ProgramTitle() { return QStringLiteral("Quenby"); }

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, QWidget* owner) {
    const MessageRequest r{text, buttons, icon, owner};
    if (Handler()) return Handler()(r);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return MsgResult::Cancel;
    return ShowReal(r);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

void Beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

}  // namespace quenby
