#include "control/view/tarn_edit_view.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

#include "control/view/exchange_data.h"
#include "control/view/view_input.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {

namespace msg = platform::messages;

namespace {
// The marker put beside the plain text of a copied box, so that it pastes
// back as a box.
const QString kBoxMime = QStringLiteral("application/x-tarnedit-box");
}  // namespace

UINT TTarnEditView::GetCaretPosMessage() {
    static const UINT id = msg::RegisterWindowMessage("WM_TTARNEDIT_GETCARETPOS");
    return id;
}

UINT TTarnEditView::SetCaretPosMessage() {
    static const UINT id = msg::RegisterWindowMessage("WM_TTARNEDIT_SETCARETPOS");
    return id;
}

TTarnEditView::TTarnEditView(QWidget* parent) : QWidget(parent), edit_(this), rulerFont_(RulerFont()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(restingCursor_);
    target_ = &surface_;

    vbar_ = new QScrollBar(Qt::Vertical, this);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_->setFocusPolicy(Qt::NoFocus);
    hbar_->setFocusPolicy(Qt::NoFocus);
    sysVbarW_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vbar_);
    sysHbarH_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hbar_);
    connect(vbar_, &QScrollBar::actionTriggered, this, [this](int a) { BarAction(vbar_, a, true); });
    connect(hbar_, &QScrollBar::actionTriggered, this, [this](int a) { BarAction(hbar_, a, false); });

    GetCaretPosMessage();
    SetCaretPosMessage();

    connect(&blink_, &QTimer::timeout, this, &TTarnEditView::Blink);
    timer40_.setInterval(40);
    connect(&timer40_, &QTimer::timeout, this, [this] { WndProc(msg::WM_TIMER, 1, 0); });
    // A slice of a few milliseconds at a time, so that keys and paints go
    // between them; the scroll bar follows as the rows come in.
    settle_.setInterval(0);
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, [this] {
        constexpr std::size_t kSlice = 256 * 1024;
        if (!edit_.SettleSome(kSlice)) return;
        UpdateScrollRanges();
        settle_.start();
    });

    // Window creation: canvas and metrics, scroll boxes at 0, the gutter.
    font_ = TDrawingFont(settings_.Font());
    vbarShown_ = settings_.VertScrollBar;
    hbarShown_ = settings_.HorzScrollBar;
    resize(185, 89);
    LayoutBars();
    ComputeGutterWidth();
    ComputeMetrics();
    ResizeSurface();
    vbar_->setValue(0);
    hbar_->setValue(0);
    input_ = std::make_unique<TViewInput>(*this);
}

TTarnEditView::~TTarnEditView() {
    input_.reset();
    // The editor outlives nothing of ours: detach it before members go.
    edit_.SetView(nullptr);
}

QRect TTarnEditView::ClientRect() const {
    return QRect(0, 0, std::max(0, width() - (vbarShown_ ? sysVbarW_ : 0)),
                 std::max(0, height() - (hbarShown_ ? sysHbarH_ : 0)));
}

// ---- Published members that act at once ----------------------------------

void TTarnEditView::SetColor(std::uint32_t c) {
    settings_.color_ = ResolveColour(c);
    RepaintAll();
}

void TTarnEditView::SetVertScrollBar(bool v) {
    settings_.VertScrollBar = v;
    vbarW_ = v ? sysVbarW_ : 0;
    UpdateVerticalRange();
}

void TTarnEditView::SetHorzScrollBar(bool v) {
    settings_.HorzScrollBar = v;
    hbarH_ = v ? sysHbarH_ : 0;
    UpdateHorizontalRange();
}

void TTarnEditView::SetShowRulerCur(bool v) {
    edit_.ShowRulerCur = v;
    if (v) settings_.RaiseTopMarginForRulerCursor();
}

void TTarnEditView::SetVertScrollLimit(int v) { edit_.SetVertScrollLimit(v); }

void TTarnEditView::SetLineSpace(int v) { settings_.SetLineSpace(v); }

void TTarnEditView::SetParentFont(bool v) {
    if (v && parentWidget()) {
        const QFont pf = parentWidget()->font();
        TFontSpec f = settings_.Font();
        f.Name = platform::codepage::ToBytes(pf.family().toStdU16String());
        if (pf.pointSize() > 0) f.Size = pf.pointSize();
        else if (pf.pixelSize() > 0) f.SetHeight(-pf.pixelSize());
        settings_.SetFont(f);
    }
    settings_.ParentFont = v;
}

// ---- Metrics --------------------------------------------------------------

void TTarnEditView::ComputeMetrics() {
    const int fh = font_.CellHeight();
    edit_.Fontwidth = font_.AverageWidth();
    edit_.Fontheight = fh;
    const int space = settings_.LineSpace();
    edit_.Lineheight = settings_.LineSpaceUnit == TxLineSpaceUnit::uPercent
                           ? fh + static_cast<int>(std::nearbyint(space * fh / 100.0))
                           : fh + space;
    const QRect client = ClientRect();
    edit_.DwclientX = std::max(0, client.width() - textLeft_);
    edit_.DwclientY = std::max(0, client.height() - settings_.TopMargin());
    edit_.ClLineCount = edit_.Lineheight > 0 ? edit_.DwclientY / edit_.Lineheight : 0;
    upperMark_ = static_cast<int>(std::nearbyint(0.2 * fh));
    lowerMark_ = static_cast<int>(std::nearbyint(0.8 * fh));
    dblSpaceW_ = font_.Width("\x81\x40");
    dblSpaceH_ = fh;
    spaceW_ = font_.Width(" ");
    zeroW_ = font_.Width("0");
}

void TTarnEditView::ComputeGutterWidth() {
    const int gutter = settings_.ShowLineNumber ? std::min(100, font_.Width("0") * settings_.LineNoColumn()) + 7 : 0;
    textLeft_ = textLeftBase_ = settings_.LeftMargin() + gutter;
}

bool TTarnEditView::GrowGutter() {
    if (!settings_.ShowLineNumber) return false;
    const int before = textLeft_;
    const int need = font_.Width(std::to_string(edit_.RowsForScroll())) + settings_.LeftMargin() + 7;
    while (textLeft_ < need) textLeft_ += 10;
    while (need < textLeft_ - 1.5 * zeroW_ && textLeftBase_ < need) textLeft_ -= 10;
    ComputeMetrics();
    return textLeft_ != before;
}

void TTarnEditView::LayoutBars() {
    const int vw = vbarShown_ ? sysVbarW_ : 0;
    const int hh = hbarShown_ ? sysHbarH_ : 0;
    vbar_->setGeometry(width() - vw, 0, vw, std::max(0, height() - hh));
    hbar_->setGeometry(0, height() - hh, std::max(0, width() - vw), hh);
    vbar_->setVisible(vbarShown_);
    hbar_->setVisible(hbarShown_);
}

void TTarnEditView::ResizeSurface() {
    const QSize size = ClientRect().size().expandedTo(QSize(1, 1));
    if (surface_.size() != size) {
        surface_ = QImage(size, QImage::Format_RGB32);
        surface_.fill(ToQColor(settings_.Color()));
    }
    // The window class redraws on every size change.
    Invalidate(QRect(QPoint(0, 0), size));
}

void TTarnEditView::ReDesign() {
    font_ = TDrawingFont(settings_.Font());
    vbarShown_ = settings_.VertScrollBar;
    hbarShown_ = settings_.HorzScrollBar;
    LayoutBars();
    ComputeGutterWidth();
    ComputeMetrics();
    ResizeSurface();
    if (edit_.CurposY >= 0 && edit_.HasRow(edit_.CurposY))
        edit_.CaretPixelX = edit_.PixelOfColumn(edit_.CurposY, edit_.CurposX) - edit_.ClOffsetX;
    if (caretCreated_) {
        DestroyCaret();
        CreateCaret();
    }
    PlaceCaret();
    edit_.RefreshLine();
}

void TTarnEditView::SettleLater() { settle_.start(); }

void TTarnEditView::OnSize() {
    ComputeMetrics();
    ResizeSurface();
    // Re-wraps to the new width with AutoWrap, else brings the caret back
    // into view.
    edit_.Resized();
    UpdateScrollRanges();
}

// ---- Messages -------------------------------------------------------------

LRESULT TTarnEditView::WndProc(UINT m, WPARAM wParam, LPARAM lParam) {
    // Every message sees the window as the edits left it.
    ShowPutOff();
    using Family = std::optional<LRESULT> (TTarnEditView::*)(UINT, WPARAM, LPARAM);
    static constexpr Family kFamilies[] = {
        &TTarnEditView::RegisteredMessage,
        &TTarnEditView::ScrollMessage,
        &TTarnEditView::WindowMessage,
        &TTarnEditView::InputMessage,
    };
    for (Family f : kFamilies)
        if (std::optional<LRESULT> r = (this->*f)(m, wParam, lParam)) return *r;
    return 0;
}

std::optional<LRESULT> TTarnEditView::RegisteredMessage(UINT m, WPARAM, LPARAM lParam) {
    if (m == GetCaretPosMessage())
        return static_cast<LRESULT>(msg::MAKELONG(static_cast<unsigned>(edit_.CurposX),
                                                  static_cast<unsigned>(std::min(32767, edit_.CurposY))));
    if (m == SetCaretPosMessage()) {
        const auto l = static_cast<std::uintmax_t>(lParam);
        return edit_.CurSet(msg::LOWORD(l), msg::HIWORD(l), Txmovemode::normal) ? 1 : 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> TTarnEditView::InputMessage(UINT m, WPARAM wParam, LPARAM lParam) {
    return input_ ? input_->Message(m, wParam, lParam) : std::nullopt;
}

std::optional<LRESULT> TTarnEditView::ScrollMessage(UINT m, WPARAM wParam, LPARAM lParam) {
    switch (m) {
        case msg::WM_VSCROLL:
            return VScroll(msg::LOWORD(wParam), msg::HIWORD(wParam), lParam);
        case msg::WM_HSCROLL:
            return HScroll(msg::LOWORD(wParam), msg::HIWORD(wParam));
        case msg::WM_MOUSEWHEEL:
            return Wheel(msg::SignedHigh(wParam));
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> TTarnEditView::WindowMessage(UINT m, WPARAM, LPARAM) {
    switch (m) {
        case msg::WM_SIZE:
            OnSize();
            return 0;
        case msg::WM_ERASEBKGND:
            // Every painter fills its own background.
            return 0;
        case msg::WM_SETFOCUS:
            CreateCaret();
            timer40_.start();
            return 0;
        case msg::WM_KILLFOCUS:
            DestroyCaret();
            timer40_.stop();
            return 0;
        default:
            return std::nullopt;
    }
}

// ---- Qt events turned into messages ---------------------------------------

void TTarnEditView::resizeEvent(QResizeEvent*) {
    LayoutBars();
    const QRect c = ClientRect();
    // The toolkit also sends resize events that change nothing (rendering a
    // hidden widget does); the window hears only of real size changes.
    if (c.size() == reportedSize_) return;
    reportedSize_ = c.size();
    WndProc(msg::WM_SIZE, 0, static_cast<LPARAM>(msg::MAKELONG(static_cast<unsigned>(c.width()), static_cast<unsigned>(c.height()))));
}

void TTarnEditView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    unsigned keys = 0;
    if (event->modifiers() & Qt::ShiftModifier) keys |= msg::MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier) keys |= msg::MK_CONTROL;
    WndProc(msg::WM_MOUSEWHEEL, msg::MAKELONG(keys, static_cast<unsigned>(static_cast<std::uint16_t>(delta))), 0);
    event->accept();
}

void TTarnEditView::focusInEvent(QFocusEvent* event) {
    WndProc(msg::WM_SETFOCUS, 0, 0);
    QWidget::focusInEvent(event);
}

void TTarnEditView::focusOutEvent(QFocusEvent* event) {
    WndProc(msg::WM_KILLFOCUS, 0, 0);
    QWidget::focusOutEvent(event);
}

// ---- The engine's view ------------------------------------------------------

int TTarnEditView::TextWidth(std::string_view bytes, int) const { return font_.Width(bytes); }

unsigned TTarnEditView::ModifierState() const {
    // While an input event is handled, its own modifiers count.
    if (input_)
        if (std::optional<unsigned> m = input_->EventModifiers()) return *m;
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    unsigned bits = 0;
    if (m & Qt::ShiftModifier) bits |= kMkShift;
    if (m & Qt::ControlModifier) bits |= kMkControl;
    return bits;
}

bool TTarnEditView::ClipboardText(std::string& text) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || (!data->hasText() && !data->hasFormat(BytesMimeType()))) return false;
    TExchangeText in = TakeExchangeText(*data);
    text = std::move(in.bytes);
    lostCharacters_ = in.lost;
    return true;
}

void TTarnEditView::SetClipboardText(std::string_view text, bool box) {
    auto* data = new QMimeData;
    PutExchangeText(*data, text);
    if (box) data->setData(kBoxMime, QByteArray("1"));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TTarnEditView::ShowMessage(std::string_view text) {
    if (MessageBoxHandler) {
        MessageBoxHandler(text);
        return;
    }
    QMessageBox::warning(this, QGuiApplication::applicationDisplayName(), FromBytes(text));
}

void TTarnEditView::SetRestingCursor(const QCursor& c) {
    restingCursor_ = c;
    if (!edit_.Dragging()) setCursor(c);
}

void TTarnEditView::RecreateWindow() {
    ComputeGutterWidth();
    ComputeMetrics();
    ResizeSurface();
    vbar_->setValue(0);
    hbar_->setValue(0);
    // A new window registers as a drop target by the mode it has now.
    input_->CreateWindowDropTarget();
}

// ---- Coordinates ------------------------------------------------------------

int TTarnEditView::ColumnToPixel(int row, int col) const { return TextOrigin() + edit_.PixelOfColumn(row, col); }

TextPos TTarnEditView::PointToPosition(int x, int y) {
    if (!edit_.HasRow(0)) return {0, 0};
    const int lh = std::max(1, edit_.Lineheight);
    int row = std::min(edit_.ClOffsetY + edit_.ClLineCount - 1,
                       edit_.ClOffsetY + std::max(0, y - settings_.TopMargin()) / lh);
    row = edit_.ClampRow(row);
    int col = 0;
    if (x - textLeft_ < -4) {
        edit_.ClOffsetX = 0;
    } else {
        col = edit_.ColumnAtPixel(row, x + edit_.ClOffsetX - textLeft_, edit_.FreeCaretMode()).column;
    }
    edit_.GoalX = col;
    const int abs = edit_.PixelOfColumn(row, col);
    const int third = std::max(1, edit_.DwclientX / 3);
    while (abs > edit_.ClOffsetX + edit_.DwclientX) edit_.ClOffsetX += third;
    while (abs < edit_.ClOffsetX) edit_.ClOffsetX = std::max(0, edit_.ClOffsetX - third);
    return {col, row};
}

}  // namespace tarn::view
