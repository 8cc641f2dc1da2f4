// The program's one way of telling the user something: a message box
// captioned with the program's title. Tests put their own answerer in its
// place, so no test ever waits for a person, and read what was said.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quenby {

// The program's title: window captions and message boxes.
QString ProgramTitle();

enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QWidget* owner = nullptr;
};

using MessageBoxHandler = std::function<MsgResult(const MessageRequest&)>;

MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 QWidget* owner = nullptr);

// Replaces what shows (and answers) message boxes; an empty handler puts
// the real dialog back. Returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The platform's beep (the design beeps before some questions).
void Beep();

}  // namespace quenby
