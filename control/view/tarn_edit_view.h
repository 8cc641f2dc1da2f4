// The control's window: a widget that shows a TTarnEdit and is its view.
//
// The design paints rows straight into the window from editing operations,
// and lets the host paint colour runs into it at any time (from inside
// OnUserClientDraw, or later through SetTxtColor2). A retained-mode toolkit
// repaints from scratch whenever it likes, so the widget keeps a backing
// image of its client area that stands for the window surface: every
// drawing routine draws into it, and the paint event only copies it out.
// The full repaint that the window's paint message runs in the design runs
// only where the surface was invalidated (shown, resized, scrolled), clipped
// to that region, so host colour runs elsewhere stay as they were painted.
//
// Messages of the design reach the control through WndProc, which hands
// each message to the handler of its family.
#pragma once

#include <QCursor>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/engine/tarn_edit.h"
#include "control/view/drawing_font.h"
#include "control/view/view_settings.h"
#include "platform/messages/messages.h"

class QScrollBar;

namespace tarn::view {
class TPaintScope;
class TViewInput;
}

namespace tarn::view {

using platform::messages::LPARAM;
using platform::messages::LRESULT;
using platform::messages::UINT;
using platform::messages::WPARAM;

// lParam flags of a WM_VSCROLL the control sends itself.
inline constexpr LPARAM kScrollFromKeyboard = 1;
inline constexpr LPARAM kScrollLeaveCaret = 2;

// A row after tab expansion, with where each expanded tab lies.
struct TExpandedRow {
    std::string text;
    struct Tab {
        int x;      // start, from the row's text origin
        int width;  // pixels
    };
    std::vector<Tab> tabs;  // at most kMaxTabMarks
};
inline constexpr int kMaxTabMarks = 100;

class TTarnEditView : public QWidget, public TEditView {
    Q_OBJECT

public:
    explicit TTarnEditView(QWidget* parent = nullptr);
    ~TTarnEditView() override;

    TTarnEdit& Editor() noexcept { return edit_; }
    // Keyboard, mouse, input method, drag and drop: their members and events.
    TViewInput& Input() noexcept { return *input_; }
    const TTarnEdit& Editor() const noexcept { return edit_; }
    // Display settings; writing them repaints nothing (see ReDesign).
    TViewSettings& Settings() noexcept { return settings_; }
    const TViewSettings& Settings() const noexcept { return settings_; }

    // ---- Published members that act at once --------------------------
    void SetColor(std::uint32_t c);  // repaints everything
    void SetVertScrollBar(bool v);
    void SetHorzScrollBar(bool v);
    void SetShowRulerCur(bool v);
    void SetVertScrollLimit(int v);
    void SetLineSpace(int v);
    // True copies the parent window's font (name and size; the text colour
    // stays). Like Font, it takes effect at the next ReDesign.
    void SetParentFont(bool v);

    // ---- Geometry ------------------------------------------------------
    int LineNoWidth() const noexcept { return textLeft_ - settings_.LeftMargin(); }
    int TextLeft() const noexcept { return textLeft_; }
    int CaretX() const noexcept { return edit_.CaretPixelX + textLeft_; }
    int CaretY() const noexcept { return RowTop(edit_.CurposY); }
    QRect ClientRect() const;
    // Client x of byte column col of row, and the position under a point.
    int ColumnToPixel(int row, int col) const;
    TextPos PointToPosition(int x, int y);
    int RepeatCount = 0;  // held-key repeats of the one-row moves

    // Rebuilds font, metrics, bars, gutter and caret, then RefreshLine.
    void ReDesign();

    // ---- Painting ------------------------------------------------------
    void RepaintAll() override;
    // The pointer's shape over the text, and again after a drag.
    void SetRestingCursor(const QCursor& c);
    const QCursor& RestingCursor() const noexcept { return restingCursor_; }
    void RedrawRows(RedrawScope scope, int from, int to) override;
    void BeginBatch() override { ++batchDepth_; }
    void EndBatch() override;
    // Ends a batch without painting: what it put off is painted with the
    // next frame (the paint event), or before anything else touches the
    // window, whichever comes first. For calls a host may make many times
    // between two frames (undo and redo one step at a time).
    void EndBatchForNextFrame();
    bool Batching() const noexcept { return batchDepth_ > 0; }
    void DrawLine(int y1, int y2);
    void SetTxtColor(int x, int y, int L, Colour fontColor, Colour backColor, bool normalF);
    void SetTxtColor2(int x, int y, int L, Colour fontColor, Colour backColor, bool ulineF, int dx1, int dy1, int dx2,
                      int dy2);
    void ColorPrintText(int index1, int index2);
    // A find hit: the run in its text colour on its back colour (the
    // editor passes the hit colour and its inverse).
    void PaintFindHit(int x, int y, int len, Colour textColour, Colour backColour) override;
    // The selection end moved to (endX, endY): repaint only what changed.
    // boxRightPixel is the box's right bound (absolute text x) while the
    // mouse drags it; -1 takes the caret's.
    void RepaintSelectionEnd(int endX, int endY, int boxRightPixel = -1);

    // ---- Events (raised only when assigned) ------------------------------
    std::function<void()> OnPaint;
    std::function<void(int c1, int c2, int x1, int x2)> OnUserDraw;
    std::function<void(int L1, int L2, int dx1, int dy1, int dx2, int dy2)> OnUserClientDraw;
    // How the control's message boxes are shown (a modal box by default).
    std::function<void(std::string_view)> MessageBoxHandler;

    // ---- Messages ------------------------------------------------------
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    static UINT GetCaretPosMessage();
    static UINT SetCaretPosMessage();

    // ---- The engine's view -----------------------------------------------
    int TextWidth(std::string_view bytes, int fontWidth) const override;
    bool FixedPitch() const override { return font_.FixedPitch(); }
    void UpdateScrollRanges() override;
    void PlaceCaret() override;
    void MoveUnderline(int oldRow, int newRow) override;
    void RecreateWindow() override;
    void SettleLater() override;
    unsigned ModifierState() const override;
    bool ClipboardText(std::string& text) override;
    void SetClipboardText(std::string_view text, bool box) override;
    // Characters the last paste or drop from another program could not
    // bring in (written as '?'); 0 after one that came in whole.
    std::size_t LostCharacters() const noexcept { return lostCharacters_; }
    void ShowMessage(std::string_view text) override;

    // ---- Inspection ------------------------------------------------------
    const QImage& Surface() const noexcept { return surface_; }
    const TDrawingFont& DrawingFont() const noexcept { return font_; }
    QRect CaretRect() const;
    bool CaretShown() const noexcept { return caretCreated_ && hideCount_ == 0; }
    int VerticalUnit() const noexcept { return vUnit_; }
    int HorizontalUnit() const noexcept { return hUnit_; }
    QScrollBar* VerticalBar() const noexcept { return vbar_; }
    QScrollBar* HorizontalBar() const noexcept { return hbar_; }
    // The caret as if the control had the focus (screenshots, tests).
    void ForceCaret(bool on);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    QSize sizeHint() const override { return QSize(185, 89); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class TPaintScope;
    friend class TViewInput;

    // Message families.
    std::optional<LRESULT> RegisteredMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> ScrollMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> InputMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Metrics and layout.
    void ComputeMetrics();
    void ComputeGutterWidth();
    bool GrowGutter();
    void LayoutBars();
    void OnSize();

    // Scrolling.
    LRESULT VScroll(int code, int thumb, LPARAM origin);
    LRESULT HScroll(int code, int thumb);
    LRESULT Wheel(int delta);
    void UpdateVerticalRange();
    void UpdateHorizontalRange();
    void SetHorizontalBox();
    void MoveCaretRows(int d);
    void BarAction(QScrollBar* bar, int action, bool vertical);

    // Painting: the surface.
    void Invalidate(const QRect& r);
    void FullRepaint(bool fromPaintMessage);
    void FlushToScreen();
    // Far off screen a row's top only needs to stay off screen.
    int RowTop(int row) const {
        return ClampPixels(settings_.TopMargin() + static_cast<std::int64_t>(row - edit_.ClOffsetY) * edit_.Lineheight);
    }
    int TextOrigin() const { return textLeft_ - edit_.ClOffsetX; }
    int RightEdge() const { return textLeft_ + edit_.DwclientX; }
    bool RowVisible(int row) const;
    TExpandedRow Expand(std::string_view bytes) const;
    Colour RowColour(int row) const;

    // Painting: rows.
    void PaintRow(int row);
    void RowPainter(int row, int startX);
    void Segment(int row, int from, int to, bool selected);
    void PaintSelectionRow(int row);
    void PaintBoxRow(int row);
    void DrawRowText(TPaintScope& s, int x, int y, std::string_view expanded, Colour fg, Colour bg, const QRect& clip,
                     bool underline);
    void DrawEofMark(TPaintScope& s, int x, int y, const QRect* cell);
    void DrawCrArrow(TPaintScope& s, int x, int y, Colour c);
    void DrawMarks(TPaintScope& s, const TExpandedRow& ex, int y, const QRect& clip, bool selected);
    void ResizeSurface();
    void UrlColouring(int a, int b, const QRect* clip);
    void FillBelowText();
    void RecomputeWidestRow();

    // Painting: margins.
    void DrawGutter(int a, int b);
    void DrawTopBand();
    void DrawRuler();
    void XorRulerCursor(int x);
    void MoveRulerCursor();
    void DrawUnderline();
    void EraseUnderline();

    // The caret.
    void CreateCaret();
    void DestroyCaret();
    void HideCaret() { ++hideCount_; }
    void ShowCaret();
    void Blink();

    TViewSettings settings_;
    TTarnEdit edit_;
    std::unique_ptr<TViewInput> input_;
    QCursor restingCursor_{Qt::IBeamCursor};
    TDrawingFont font_;
    // The last row shaped into glyphs: colour runs repaint parts of the row
    // just painted, and shaping it again for each run would cost as much as
    // painting the whole row.
    struct TShapedRow {
        std::string text;
        QFont font;
        QList<QGlyphRun> runs;
    };
    TShapedRow shaped_;
    const QList<QGlyphRun>& ShapedRow(std::string_view expanded, const QFont& font);
    QFont rulerFont_;

    // Font-derived values.
    int upperMark_ = 0, lowerMark_ = 0;
    int dblSpaceW_ = 0, dblSpaceH_ = 0, spaceW_ = 0, zeroW_ = 0;

    // Text area.
    int textLeft_ = 0;      // LeftMargin + LineNoWidth
    int textLeftBase_ = 0;  // the same from LineNoColumn alone

    // Scroll bars.
    QScrollBar* vbar_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    int sysVbarW_ = 0, sysHbarH_ = 0;  // the system's sizes
    int vbarW_ = 0, hbarH_ = 0;        // recorded when the properties are set
    bool vbarShown_ = true, hbarShown_ = false;
    int vUnit_ = 1, hUnit_ = 1;
    bool settingBars_ = false;
    QSize reportedSize_;  // the client size the last WM_SIZE carried

    // The surface and the painter shared by nested drawing routines.
    QImage surface_;
    QImage buffer_;  // the double-buffered paint message
    QPaintDevice* target_ = nullptr;
    QPainter painter_;
    int paintDepth_ = 0;
    QRegion dirty_;                   // invalidated, awaiting the paint message
    std::optional<QRegion> paintClip_;  // while the paint message runs
    bool inPaintEvent_ = false;

    // What a batch of edits put off (see BeginBatch): rows of the document
    // to repaint, a repaint of everything, the scroll ranges, the underline
    // and the caret, each done once when the batch ends.
    struct TPendingPaint {
        bool all = false;
        int from = 0, to = -1;  // rows, empty when to < from
        bool ranges = false;
        bool underline = false;
        bool caret = false;
        bool Any() const { return all || to >= from || ranges || underline || caret; }
    };
    int batchDepth_ = 0;
    TPendingPaint pending_;
    void PutOffRows(int from, int to);
    void FlushBatch();
    // Paints what a batch left for the next frame, if anything.
    void ShowPutOff() {
        if (batchDepth_ == 0 && pending_.Any()) FlushBatch();
    }

    // Remembered painting state.
    int underlineRow_ = -1;
    int rulerCurX_ = -1;
    int boxRight_ = -1;  // absolute pixel bound of a box being dragged
    std::optional<Colour> runTextColour_;  // SetTxtColor's text colour

    // The caret.
    QTimer blink_;
    QTimer timer40_;
    QTimer settle_;  // splits a document being read between events
    bool caretCreated_ = false;
    bool caretForced_ = false;
    bool blinkOn_ = true;
    int hideCount_ = 0;
    QRect caretRect_;

    std::size_t lostCharacters_ = 0;

    // The goal column's pixel x, measured when GoalX last changed.
    int goalPixel_ = 0;
    int goalMeasuredFor_ = -1;
};

// Opens the shared painter on the current target (or reuses it when a
// routine draws from inside another, as host colour runs painted from
// OnUserClientDraw do), and gives each routine a clean state of its own.
class TPaintScope {
public:
    explicit TPaintScope(TTarnEditView& v);
    ~TPaintScope();
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    QPainter& operator*() noexcept { return v_.painter_; }
    QPainter* operator->() noexcept { return &v_.painter_; }
    // Limits drawing to r (within the paint message's region, if any).
    void Clip(const QRect& r);
    void Unclip();

private:
    TTarnEditView& v_;
};

}  // namespace tarn::view
