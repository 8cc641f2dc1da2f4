// What the engine needs from whatever shows it. Every call has a default
// that does nothing (and a fixed-pitch measure), so the engine runs and is
// tested with no display; the widget overrides what it can do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "control/engine/pixel_math.h"

namespace tarn {

// Modifier bits as the design's mouse and key messages carry them.
inline constexpr unsigned kMkShift = 0x0004;
inline constexpr unsigned kMkControl = 0x0008;

// Row ranges of a partial repaint.
enum RedrawScope {
    kRedrawVisible = 0,       // first visible row .. last visible row
    kRedrawFromCaretUp = 1,   // caret row - 1 .. last visible row
    kRedrawFromCaret = 2,     // caret row .. last visible row
    kRedrawFrom = 3,          // max(from, first visible) .. last visible row
    kRedrawCaretRow = 4,      // the caret row alone
    kRedrawRange = 5,         // max(from, first visible) .. min(to, last visible)
};

class TEditView {
public:
    virtual ~TEditView() = default;

    // Pixel width of bytes already tab-expanded, in the drawing font.
    virtual int TextWidth(std::string_view bytes, int fontWidth) const {
        return PixelsOf(static_cast<std::int64_t>(bytes.size()), fontWidth);
    }
    // True when every character is fontWidth wide per byte (so widths can be
    // computed by arithmetic).
    virtual bool FixedPitch() const { return true; }

    virtual void RedrawRows(RedrawScope /*scope*/, int /*from*/, int /*to*/) {}
    // A run of edits that only its end needs to show (replace-all, an undo
    // step of many records): between the two the view may put off its
    // repaints, scroll-bar updates and caret placement and do each once at
    // the end. Runs nest; only the outermost end shows.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
    virtual void RepaintAll() {}
    virtual void UpdateScrollRanges() {}
    // The caret moved or the view scrolled: place the system caret, the
    // input-method window and the ruler cursor.
    virtual void PlaceCaret() {}
    // The caret row changed: move the caret-line underline.
    virtual void MoveUnderline(int /*oldRow*/, int /*newRow*/) {}
    virtual void RecreateWindow() {}
    // A document was handed over whose rows are still to be split: call
    // the editor's SettleSome when idle until it says it is done. Without
    // a view rows are split as they are asked for.
    virtual void SettleLater() {}

    // Shift and Ctrl as the keyboard holds them now (kMkShift, kMkControl).
    virtual unsigned ModifierState() const { return 0; }

    virtual bool ClipboardText(std::string& /*text*/) { return false; }
    virtual void SetClipboardText(std::string_view /*text*/, bool /*box*/) {}

    // The control's own error boxes ("Error:OC009" and the like).
    virtual void ShowMessage(std::string_view /*text*/) {}

    // Colours the remembered find hit: len bytes from column x of stored
    // line y, possibly running onto the following rows.
    virtual void PaintFindHit(int /*x*/, int /*y*/, int /*len*/, std::uint32_t /*textColor*/,
                              std::uint32_t /*backColor*/) {}
};

// Keeps the view batching for as long as it lives.
class TViewBatch {
public:
    explicit TViewBatch(TEditView& view) : view_(view) { view_.BeginBatch(); }
    ~TViewBatch() { view_.EndBatch(); }
    TViewBatch(const TViewBatch&) = delete;
    TViewBatch& operator=(const TViewBatch&) = delete;

private:
    TEditView& view_;
};

}  // namespace tarn
