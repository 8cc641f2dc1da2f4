// The control's input: the toolkit's key, mouse, input-method and drag
// events turned into the window messages of the design (virtual-key codes,
// shift bits, WM_CHAR bytes of CP932, WM_IME_*), and the handlers of those
// messages by family: keys, characters, mouse, input method, edit-control
// queries and the auto-scroll timer. The widget owns one and passes every
// message it does not handle itself to Message().
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "control/view/input_context.h"
#include "control/view/reading.h"
#include "platform/messages/messages.h"

class QMenu;
class QMimeData;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;

namespace tarn::view {

class TTarnEditView;
class TPreeditOverlay;

using platform::messages::LPARAM;
using platform::messages::LRESULT;
using platform::messages::UINT;
using platform::messages::WPARAM;

enum TxTarnDragMode { dmManual = 0, dmAutomatic = 1, dmOLEAuto = 2 };
enum TxIMEReconvmode { imrAuto = 0, imrManual = 1 };

// The Shift argument of the input events (the editor's shift-state bit
// set, as the host receives it), and their Button argument.
inline constexpr int kShiftMask = 1;
inline constexpr int kAltMask = 2;
inline constexpr int kCtrlMask = 4;
inline constexpr int kLeftMask = 8;
inline constexpr int kRightMask = 16;
inline constexpr int kMiddleMask = 32;
inline constexpr int mbLeft = 0;
inline constexpr int mbRight = 1;
inline constexpr int mbMiddle = 2;

// Dialog codes.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

inline constexpr UINT WM_IME_CHAR = 0x0286;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr unsigned VK_CONVERT = 0x1C;
inline constexpr unsigned VK_NONCONVERT = 0x1D;
inline constexpr unsigned VK_OEM_COMMA = 0xBC;
inline constexpr unsigned VK_OEM_PERIOD = 0xBE;

// The MIME form of the design's clipboard and drop formats.
QString BoxMimeType();

enum class TAutoScroll { none, up, down, left, right };

// The modifiers of the input event being handled, for as long as it is.
class TModifierScope {
public:
    TModifierScope(std::optional<unsigned>& slot, unsigned bits) : slot_(slot), saved_(slot) { slot_ = bits; }
    ~TModifierScope() { slot_ = saved_; }
    TModifierScope(const TModifierScope&) = delete;
    TModifierScope& operator=(const TModifierScope&) = delete;

private:
    std::optional<unsigned>& slot_;
    std::optional<unsigned> saved_;
};

class TViewInput : public QObject {
public:
    explicit TViewInput(TTarnEditView& view);
    ~TViewInput() override;
    TViewInput(const TViewInput&) = delete;
    TViewInput& operator=(const TViewInput&) = delete;

    // ---- Published members --------------------------------------------
    bool WantTabs = true;
    // Stored only: the drop target follows the mode the window had when
    // it was created (see CreateWindowDropTarget).
    TxTarnDragMode DragMode = dmAutomatic;
    TxIMEReconvmode IMEReconvMode = imrAuto;
    QMenu* PopupMenu = nullptr;

    std::function<void(int& Key, int Shift)> OnKeyDown;
    std::function<void(int& Key, int Shift)> OnKeyUp;
    std::function<void(int& Key)> OnKeyPress;
    std::function<void(int Button, int Shift, int x, int y)> OnMouseDown;
    std::function<void(int Shift, int x, int y)> OnMouseMove;
    std::function<void(int Button, int Shift, int x, int y)> OnMouseUp;
    std::function<void()> OnClick;
    std::function<void()> OnDblclick;
    std::function<void()> OnIMEChanging;
    std::function<void()> OnIMEChanged;
    std::function<void()> OnIMEReConvert;
    std::function<void(const std::string& SelectStr, bool& CanDrag)> OnManualStartDrag;
    std::function<void()> OnOLEDropText;
    std::function<void(const std::string& DropFiles)> OnOLEDropFiles;

    void SetImeStatus(unsigned IMEconvmode, unsigned IMEsentmode, bool IMEActiveF);
    bool GetImeStatus(unsigned& IMEconvmode, unsigned& IMEsentmode);
    void IMEReConvert();
    void IMEReconvertJob(std::string_view Str);
    void MoveSynchroMouse();

    // The input context (the toolkit's by default; null = no input method)
    // and the reading function behind reconversion.
    void SetInputContext(std::unique_ptr<TInputContext> context);
    TInputContext* InputContext() const noexcept { return context_.get(); }
    void SetReadingFunction(TReadingFunction f) { reading_ = std::move(f); }

    // (Re)registers the window as a drop target when DragMode asks for it.
    void CreateWindowDropTarget();

    // ---- Messages -----------------------------------------------------
    std::optional<LRESULT> Message(UINT msg, WPARAM wParam, LPARAM lParam);
    // The caret was placed: keep the composition window at it.
    void CaretPlaced();
    // Shift and Ctrl of the input event being handled, if any.
    std::optional<unsigned> EventModifiers() const { return eventModifiers_; }

    // ---- Inspection ---------------------------------------------------
    TAutoScroll AutoScrollDirection() const noexcept { return autoScroll_; }
    const QString& Preedit() const noexcept { return preedit_; }
    const TPreeditOverlay* PreeditOverlay() const noexcept { return overlay_; }
    // One tick of the 40 ms timer, as its timeout runs it.
    void AutoScrollTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Toolkit events to messages.
    bool KeyPress(QKeyEvent* e);
    bool KeyRelease(QKeyEvent* e);
    bool ShortcutOverride(QKeyEvent* e);
    bool MousePress(QMouseEvent* e);
    bool MouseDoubleClick(QMouseEvent* e);
    bool MouseMove(QMouseEvent* e);
    bool MouseRelease(QMouseEvent* e);
    bool InputMethod(QInputMethodEvent* e);
    bool DragEnter(QDragEnterEvent* e);
    bool DragMove(QDragMoveEvent* e);
    bool DragLeave();
    bool Drop(QDropEvent* e);
    void SendChars(const QString& text, LPARAM lParam);

    // Message families.
    std::optional<LRESULT> KeyMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> ImeMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> TimerMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Keys.
    void KeyDown(int key);
    void KeyUp(int key);
    void Char(unsigned code);
    bool CtrlBinding(int key, bool ro);
    void PlainBinding(int key);
    void ShiftBinding(int key, bool ro);
    void NoModifierBinding(int key, bool ro);
    void AnyModifierBinding(int key, bool ro);
    void CharRight();
    void CharLeft();
    void RowStart();
    void RowEnd();
    void WordRight();
    void WordLeft();
    void WordDelete();
    void WordBackspace();
    void RowMove(int d);
    void PageMove(bool down);
    void BringCaretIntoView();
    // After a caret move: extend the selection or drop it.
    void SelectAfterMove();
    // The Shift argument of the events: of the event being handled, of
    // given MK_ bits, and of a mouse message's bits (buttons included).
    int ShiftBits() const;
    int ShiftBits(unsigned keys) const;
    int MouseShift(WPARAM keys) const;

    // Mouse.
    void LeftPress(unsigned keys, int x, int y);
    void PressInsideSelection();
    void Move(unsigned keys, int x, int y);
    void DragOver(int x, int y);
    void Release(int button, unsigned keys, int x, int y);

    // Input method.
    void StartComposition();
    void EndComposition();
    void CompositionResult();
    void CompleteComposition();
    void ReconvertRequest();
    void ShowPreedit(const QString& text, int cursor);

    // Drag and drop.
    void StartDrag();
    void StartToolkitDrag(bool selfOnly);
    bool DragFromHere(const QMimeData* data) const;

    TTarnEditView& view_;
    std::unique_ptr<TInputContext> context_;
    TReadingFunction reading_;
    TPreeditOverlay* overlay_ = nullptr;

    std::optional<unsigned> eventModifiers_;
    unsigned lastModifiers_ = 0;  // of the last input event, for timer ticks
    bool shownOnce_ = false;
    bool pendingOleDrag_ = false;  // a press inside the selection, OLE mode
    std::set<unsigned> heldKeys_;
    std::deque<unsigned> charQueue_;  // WM_CHAR bytes still to come
    bool keyboardScroll_ = false;
    bool altDown_ = false;

    TAutoScroll autoScroll_ = TAutoScroll::none;
    QPoint lastPoint_;
    bool dblClickMarker_ = false;
    bool pressedInside_ = false;  // the press was in the control
    QPoint lastPressPoint_;
    qint64 lastPressTime_ = -1000000;
    bool dblSentForPress_ = false;
    // The row a press in the margin selected, and the end it anchored at.
    struct TRowPress {
        int row;
        int endX, endY;
    };
    std::optional<TRowPress> rowPress_;

    QString preedit_;
    std::string result_;  // the result string of the composition message

    bool dropTarget_ = false;   // registered at window creation
    bool dragFromHere_ = false; // the toolkit drag in progress is ours
    bool dropWanted_ = false;   // the drag over us has something we take
    QString enteredText_;       // its text, as it was when it entered
    QByteArray enteredBytes_;   // and its bytes, when it came from a control
};

}  // namespace tarn::view
