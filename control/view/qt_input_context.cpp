#include "control/view/qt_input_context.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "platform/codepage/codepage.h"

namespace tarn::view {

TQtInputContext::TQtInputContext(QWidget* widget) : widget_(widget) {
    if (widget_) {
        font_ = widget_->font();
        widget_->installEventFilter(this);
    }
}

bool TQtInputContext::GetConversionStatus(unsigned& conversion, unsigned& sentence) {
    conversion = conversion_;
    sentence = sentence_;
    return true;
}

bool TQtInputContext::SetConversionStatus(unsigned conversion, unsigned sentence) {
    conversion_ = conversion;
    sentence_ = sentence;
    return true;
}

bool TQtInputContext::GetOpenStatus() { return open_; }

bool TQtInputContext::SetOpenStatus(bool open) {
    if (open == open_) return true;
    open_ = open;
    if (!widget_) return false;
    if (!open) {
        if (HasOwnComposition()) SendOwn(QString(), QString());
        QGuiApplication::inputMethod()->reset();
    }
    widget_->setAttribute(Qt::WA_InputMethodEnabled, open);
    if (widget_->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    return true;
}

bool TQtInputContext::SetCompositionString(unsigned index, std::string_view composition) {
    if (index != SCS_SETSTR || !widget_) return false;
    SendOwn(QString::fromStdU16String(platform::codepage::ToUtf16(composition)), QString());
    return true;
}

bool TQtInputContext::NotifyIME(unsigned action, unsigned index, unsigned) {
    if (!widget_) return false;
    QInputMethod* im = QGuiApplication::inputMethod();
    if (action == NI_COMPOSITIONSTR) {
        switch (index) {
            case CPS_COMPLETE:
                if (HasOwnComposition()) SendOwn(QString(), own_);
                else im->commit();
                return true;
            case CPS_CANCEL:
                if (HasOwnComposition()) SendOwn(QString(), QString());
                else im->reset();
                return true;
            case CPS_CONVERT:
                // Conversion belongs to the platform's input method: let it
                // read the selection and the text around it afresh.
                if (widget_->hasFocus()) im->update(Qt::ImQueryAll);
                return true;
            default:
                return false;
        }
    }
    if (action == NI_OPENCANDIDATE) {
        if (widget_->hasFocus()) im->show();
        return true;
    }
    return false;
}

bool TQtInputContext::SetCompositionFont(const QFont& font) {
    font_ = font;
    if (widget_ && widget_->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImFont);
    return true;
}

bool TQtInputContext::SetCompositionWindow(const TCompositionWindow& form) {
    form_ = form;
    if (widget_ && widget_->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    return true;
}

void TQtInputContext::UpdateDefaultWindow() {
    if (widget_ && widget_->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

void TQtInputContext::SendOwn(const QString& preedit, const QString& commit) {
    own_ = preedit;
    QList<QInputMethodEvent::Attribute> attrs;
    if (!preedit.isEmpty())
        attrs << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1);
    QInputMethodEvent ev(preedit, attrs);
    if (!commit.isEmpty()) ev.setCommitString(commit);
    QCoreApplication::sendEvent(widget_, &ev);
}

bool TQtInputContext::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_ || !HasOwnComposition()) return false;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->type() == QEvent::KeyPress) SendOwn(QString(), own_);
            event->accept();
            return true;
        case Qt::Key_Escape:
            if (event->type() == QEvent::KeyPress) SendOwn(QString(), QString());
            event->accept();
            return true;
        default:
            // Any other key takes the composition as it stands and goes on.
            if (event->type() == QEvent::KeyPress) SendOwn(QString(), own_);
            return false;
    }
}

}  // namespace tarn::view
