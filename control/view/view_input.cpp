// The toolkit's events as the control's window messages, and the dispatch
// of those messages to the handlers of each family.
#include "control/view/view_input.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "control/engine/edit_messages.h"
#include "control/view/preedit_overlay.h"
#include "control/view/qt_input_context.h"
#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {

namespace msg = platform::messages;

QString BoxMimeType() { return QStringLiteral("application/x-tarnedit-box"); }

namespace {

unsigned VirtualKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<unsigned>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<unsigned>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return msg::VK_F1 + static_cast<unsigned>(key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return msg::VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return msg::VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return msg::VK_RETURN;
        case Qt::Key_Shift: return msg::VK_SHIFT;
        case Qt::Key_Control: return msg::VK_CONTROL;
        case Qt::Key_Alt: return msg::VK_MENU;
        case Qt::Key_Escape: return msg::VK_ESCAPE;
        case Qt::Key_Space: return msg::VK_SPACE;
        case Qt::Key_PageUp: return msg::VK_PRIOR;
        case Qt::Key_PageDown: return msg::VK_NEXT;
        case Qt::Key_End: return msg::VK_END;
        case Qt::Key_Home: return msg::VK_HOME;
        case Qt::Key_Left: return msg::VK_LEFT;
        case Qt::Key_Up: return msg::VK_UP;
        case Qt::Key_Right: return msg::VK_RIGHT;
        case Qt::Key_Down: return msg::VK_DOWN;
        case Qt::Key_Insert: return msg::VK_INSERT;
        case Qt::Key_Delete: return msg::VK_DELETE;
        case Qt::Key_Comma:
        case Qt::Key_Less: return VK_OEM_COMMA;
        case Qt::Key_Period:
        case Qt::Key_Greater: return VK_OEM_PERIOD;
        case Qt::Key_Henkan: return VK_CONVERT;
        case Qt::Key_Muhenkan: return VK_NONCONVERT;
        default: return 0;
    }
}

unsigned MkBits(Qt::KeyboardModifiers m) {
    unsigned bits = 0;
    if (m & Qt::ShiftModifier) bits |= msg::MK_SHIFT;
    if (m & Qt::ControlModifier) bits |= msg::MK_CONTROL;
    return bits;
}

unsigned MouseKeys(const QMouseEvent* e) {
    unsigned bits = MkBits(e->modifiers());
    if (e->buttons() & Qt::LeftButton) bits |= msg::MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) bits |= msg::MK_RBUTTON;
    if (e->buttons() & Qt::MiddleButton) bits |= msg::MK_MBUTTON;
    return bits;
}

LPARAM PointParam(QPoint p) {
    return static_cast<LPARAM>(msg::MAKELONG(static_cast<unsigned>(static_cast<std::uint16_t>(p.x())),
                                             static_cast<unsigned>(static_cast<std::uint16_t>(p.y()))));
}

}  // namespace

TViewInput::TViewInput(TTarnEditView& view) : view_(view), reading_(DictionaryReading) {
    overlay_ = new TPreeditOverlay(&view_);
    view_.installEventFilter(this);
    // Installed after this adapter, so it sees keys first while it shows a
    // composition of its own.
    context_ = std::make_unique<TQtInputContext>(&view_);
}

TViewInput::~TViewInput() = default;

void TViewInput::SetInputContext(std::unique_ptr<TInputContext> context) { context_ = std::move(context); }

int TViewInput::ShiftBits(unsigned keys) const {
    int bits = 0;
    if (keys & msg::MK_SHIFT) bits |= kShiftMask;
    if (keys & msg::MK_CONTROL) bits |= kCtrlMask;
    if (altDown_) bits |= kAltMask;
    return bits;
}

int TViewInput::ShiftBits() const { return ShiftBits(eventModifiers_ ? *eventModifiers_ : lastModifiers_); }

bool TViewInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_) return false;
    switch (event->type()) {
        case QEvent::KeyPress: return KeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease: return KeyRelease(static_cast<QKeyEvent*>(event));
        case QEvent::ShortcutOverride: return ShortcutOverride(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress: return MousePress(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonDblClick: return MouseDoubleClick(static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove: return MouseMove(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease: return MouseRelease(static_cast<QMouseEvent*>(event));
        case QEvent::InputMethod: return InputMethod(static_cast<QInputMethodEvent*>(event));
        case QEvent::DragEnter: return DragEnter(static_cast<QDragEnterEvent*>(event));
        case QEvent::DragMove: return DragMove(static_cast<QDragMoveEvent*>(event));
        case QEvent::DragLeave: return DragLeave();
        case QEvent::Drop: return Drop(static_cast<QDropEvent*>(event));
        case QEvent::Show:
            // The window exists from its first showing on.
            if (!shownOnce_) {
                shownOnce_ = true;
                CreateWindowDropTarget();
            }
            return false;
        default: return false;
    }
}

// ---- Keys ---------------------------------------------------------------

bool TViewInput::KeyPress(QKeyEvent* e) {
    const TModifierScope scope(eventModifiers_, MkBits(e->modifiers()));
    lastModifiers_ = MkBits(e->modifiers());
    const unsigned vk = VirtualKey(e->key());
    // Tab moves the focus on unless the control wants it (its dialog code).
    if (vk == msg::VK_TAB && !(Message(msg::WM_GETDLGCODE, 0, 0).value_or(0) & DLGC_WANTTAB)) return false;
    const LPARAM flags = e->isAutoRepeat() ? (LPARAM{1} << 30) | 1 : 1;
    // The Alt key's own press may come without the modifier it sets.
    altDown_ = (e->modifiers() & Qt::AltModifier) != 0 || e->key() == Qt::Key_Alt;
    if (vk != 0) view_.WndProc(altDown_ ? msg::WM_SYSKEYDOWN : msg::WM_KEYDOWN, vk, flags);
    if (!altDown_ && !e->text().isEmpty()) SendChars(e->text(), flags);
    e->accept();
    return true;
}

bool TViewInput::KeyRelease(QKeyEvent* e) {
    const TModifierScope scope(eventModifiers_, MkBits(e->modifiers()));
    lastModifiers_ = MkBits(e->modifiers());
    const unsigned vk = VirtualKey(e->key());
    if (vk == msg::VK_TAB && !WantTabs) return false;
    if (vk != 0) view_.WndProc(altDown_ ? msg::WM_SYSKEYUP : msg::WM_KEYUP, vk, LPARAM{1} << 31);
    if (e->key() == Qt::Key_Alt) altDown_ = false;
    e->accept();
    return true;
}

bool TViewInput::ShortcutOverride(QKeyEvent* e) {
    // The keys bound by the control are the control's, not the host's
    // shortcuts; every other combination stays with the host.
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool alt = e->modifiers() & Qt::AltModifier;
    if (alt) return false;
    bool ours = false;
    switch (e->key()) {
        case Qt::Key_A: case Qt::Key_C: case Qt::Key_V: case Qt::Key_X: case Qt::Key_Z:
        case Qt::Key_Comma: case Qt::Key_Period:
            ours = ctrl;
            break;
        case Qt::Key_Backspace: case Qt::Key_End: case Qt::Key_Home: case Qt::Key_Left: case Qt::Key_Right:
        case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Insert:
        case Qt::Key_Delete: case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Escape:
            ours = true;
            break;
        case Qt::Key_Tab:
            ours = WantTabs;
            break;
        default:
            ours = !ctrl && !e->text().isEmpty();
            break;
    }
    if (ours) e->accept();
    return false;
}

void TViewInput::SendChars(const QString& text, LPARAM lParam) {
    // Typed text reaches the control as the code page's bytes; a double-byte
    // character comes as its lead byte followed by its trail byte.
    const std::string bytes = platform::codepage::ToBytes(text.toStdU16String());
    for (char c : bytes) charQueue_.push_back(static_cast<unsigned char>(c));
    while (!charQueue_.empty()) {
        const unsigned b = charQueue_.front();
        charQueue_.pop_front();
        view_.WndProc(msg::WM_CHAR, b, lParam);
    }
}

// ---- Mouse --------------------------------------------------------------

bool TViewInput::MousePress(QMouseEvent* e) {
    const TModifierScope scope(eventModifiers_, MkBits(e->modifiers()));
    lastModifiers_ = MkBits(e->modifiers());
    const QPoint p = e->position().toPoint();
    UINT m = e->button() == Qt::LeftButton ? msg::WM_LBUTTONDOWN
             : e->button() == Qt::RightButton ? msg::WM_RBUTTONDOWN
                                              : WM_MBUTTONDOWN;
    // The second press of a double click is the double-click message.
    dblSentForPress_ = false;
    if (e->button() == Qt::LeftButton) {
        const qint64 t = static_cast<qint64>(e->timestamp());
        const bool quick = t != 0 && t - lastPressTime_ >= 0 && t - lastPressTime_ < QApplication::doubleClickInterval();
        const bool near = (p - lastPressPoint_).manhattanLength() <= QApplication::startDragDistance();
        if (quick && near) {
            m = msg::WM_LBUTTONDBLCLK;
            dblSentForPress_ = true;
            lastPressTime_ = -1000000;
        } else {
            lastPressTime_ = t;
        }
        lastPressPoint_ = p;
    }
    view_.WndProc(m, MouseKeys(e), PointParam(p));
    e->accept();
    return true;
}

bool TViewInput::MouseDoubleClick(QMouseEvent* e) {
    const TModifierScope scope(eventModifiers_, MkBits(e->modifiers()));
    if (e->button() == Qt::LeftButton && !dblSentForPress_)
        view_.WndProc(msg::WM_LBUTTONDBLCLK, MouseKeys(e), PointParam(e->position().toPoint()));
    dblSentForPress_ = false;
    e->accept();
    return true;
}

bool TViewInput::MouseMove(QMouseEvent* e) {
    const TModifierScope scope(eventModifiers_, MkBits(e->modifiers()));
    lastModifiers_ = MkBits(e->modifiers());
    view_.WndProc(msg::WM_MOUSEMOVE, MouseKeys(e), PointParam(e->position().toPoint()));
    e->accept();
    return true;
}

bool TViewInput::MouseRelease(QMouseEvent* e) {
    const TModifierScope scope(eventModifiers_, MkBits(e->modifiers()));
    lastModifiers_ = MkBits(e->modifiers());
    const UINT m = e->button() == Qt::LeftButton ? msg::WM_LBUTTONUP
                   : e->button() == Qt::RightButton ? msg::WM_RBUTTONUP
                                                    : WM_MBUTTONUP;
    view_.WndProc(m, MouseKeys(e), PointParam(e->position().toPoint()));
    e->accept();
    return true;
}

// ---- Dispatch -------------------------------------------------------------

std::optional<LRESULT> TViewInput::Message(UINT m, WPARAM wParam, LPARAM lParam) {
    using Family = std::optional<LRESULT> (TViewInput::*)(UINT, WPARAM, LPARAM);
    static constexpr Family kFamilies[] = {
        &TViewInput::KeyMessage,
        &TViewInput::MouseMessage,
        &TViewInput::ImeMessage,
        &TViewInput::TimerMessage,
    };
    for (Family f : kFamilies)
        if (std::optional<LRESULT> r = (this->*f)(m, wParam, lParam)) return r;
    return EditControlMessage(view_.Editor(), m, wParam, lParam);
}

std::optional<LRESULT> TViewInput::TimerMessage(UINT m, WPARAM wParam, LPARAM) {
    if (m != msg::WM_TIMER || wParam != 1) return std::nullopt;
    const TModifierScope scope(eventModifiers_, lastModifiers_);
    AutoScrollTick();
    return 0;
}

}  // namespace tarn::view
