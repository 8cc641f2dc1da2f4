#include <algorithm>

#include "control/engine/pixel_math.h"
#include "control/engine/tarn_edit.h"
#include "platform/codepage/codepage.h"

namespace tarn {
namespace {

// Every byte is Fontwidth wide: widths are counts.
class FixedPitchMeasure final : public WrapMeasure {
public:
    FixedPitchMeasure(int fontWidth, int tabCount, bool singleByte)
        : fw_(fontWidth), tab_(tabCount), single_(singleByte) {}
    int Raw(std::string_view b) const override { return PixelsOf(static_cast<std::int64_t>(b.size()), fw_); }
    bool RawExceeds(std::string_view b, int limit) const override {
        return static_cast<std::int64_t>(b.size()) * fw_ > limit;
    }
    int Expanded(std::string_view b) const override {
        if (b.find('\t') == std::string_view::npos) return Raw(b);
        // The column count of the tab expansion, without building it.
        std::int64_t col = 0;
        for (std::size_t i = 0; i < b.size(); ++i) {
            if (!single_ && platform::codepage::IsLeadByte(b[i]) && i + 1 < b.size()) {
                col += 2;
                ++i;
            } else if (b[i] == '\t') {
                col += tab_ - ((col + 1 + tab_ - 1) % tab_);
            } else {
                ++col;
            }
        }
        return PixelsOf(col, fw_);
    }

private:
    int fw_, tab_;
    bool single_;
};

// Any other font: the view measures.
class ViewMeasure final : public WrapMeasure {
public:
    explicit ViewMeasure(const TTarnEdit& e) : e_(e) {}
    int Raw(std::string_view b) const override { return e_.View().TextWidth(b, e_.Fontwidth); }
    int Expanded(std::string_view b) const override { return e_.ExpandedWidth(b); }

private:
    const TTarnEdit& e_;
};

// Cuts each text line into rows; a stored line left open (a CR without LF
// behind it, or a segment the host left in) is joined with what follows.
class WrapShaper final : public LineShaper {
public:
    explicit WrapShaper(const TTarnEdit& e) : e_(e) {}
    void Shape(std::string_view line, std::vector<std::string>& rows) override {
        if (IsWrapSegment(line)) {
            joined_ += line;
            return;
        }
        if (joined_.empty()) {
            e_.WrapInto(line, rows);
            return;
        }
        joined_ += line;
        e_.WrapInto(joined_, rows);
        joined_.clear();
    }
    void Finish(std::vector<std::string>& rows) override {
        if (joined_.empty()) return;
        e_.WrapInto(joined_, rows);
        joined_.clear();
    }

private:
    const TTarnEdit& e_;
    std::string joined_;
};

template <class F>
decltype(auto) WithMeasure(const TTarnEdit& e, F&& f) {
    if (e.View().FixedPitch()) return f(FixedPitchMeasure(e.Fontwidth, e.TabCount(), e.SingleByteMode));
    return f(ViewMeasure(e));
}

}  // namespace

WrapWidths TTarnEdit::WrapGeometry() const {
    WrapWidths w;
    w.fontWidth = Fontwidth;
    // A huge Column means "no narrower than the window": the product is
    // kept within the pixel range rather than let it wrap around.
    w.wrap = PixelsOf(Column(), Fontwidth);
    if (AutoWrap) w.wrap = std::min(w.wrap, DwclientX);
    w.minimum = PixelsOf(10, Fontwidth);
    w.client = DwclientX;
    return w;
}

int TTarnEdit::CutLength(std::string_view s) const {
    const WrapWidths w = WrapGeometry();
    return WithMeasure(*this, [&](const WrapMeasure& m) { return tarn::CutLength(s, w, m); });
}

void TTarnEdit::WrapInto(std::string_view textLine, std::vector<std::string>& out) const {
    const WrapWidths w = WrapGeometry();
    WithMeasure(*this, [&](const WrapMeasure& m) {
        WrapTextLine(textLine, w, m, SingleByteMode, [&](std::string_view seg, bool) { out.emplace_back(seg); });
        return 0;
    });
}

std::unique_ptr<LineShaper> TTarnEdit::FeedShaper() const {
    if (!WordWrap()) return nullptr;
    return std::make_unique<WrapShaper>(*this);
}

void TTarnEdit::SetWordWrap(bool value, bool update) {
    if (value == wordWrap_) return;
    Relayout(value, update);
}

void TTarnEdit::SetColumn(int v) {
    if (v == column_) return;
    column_ = std::max(10, v);
    if (WordWrap()) {
        Relayout(false, false);
        Relayout(true, true);
    }
}

void TTarnEdit::RefreshWrap() {
    if (!WordWrap()) return;
    Relayout(false, false);
    Relayout(true, true);
}

void TTarnEdit::RefreshLine() {
    if (WordWrap()) {
        RefreshWrap();
        return;
    }
    View().UpdateScrollRanges();
    View().RepaintAll();
    CaretUpdate();
}

void TTarnEdit::Resized() {
    if (WordWrap() && AutoWrap) {
        Relayout(false, false);
        Relayout(true, true);
        return;
    }
    MoveCaret(-1, CurposY, Txmovemode::normal, false, false);
}

void TTarnEdit::Relayout(bool on, bool repaint) {
    try {
        // Rows still pending are split with the layout they were read for
        // before the whole document is laid out again.
        Lines.SettleAll();
        if (LineCount() == 0) {
            wordWrap_ = on;
            return;
        }
        if (FreeCaretMode()) {
            const int vis = VisibleLength(Lines.Line(std::clamp(CurposY, 0, LastLine())));
            if (CurposX > vis) {
                CurposX = vis;
                if (!Selmode()) GCurposX = CurposX;
            }
        }
        const int n = LineCount();
        std::vector<std::string> out;
        if (on) {
            out.reserve(static_cast<std::size_t>(n) + static_cast<std::size_t>(Lines.ByteLength() / std::max(10, Column())));
            // The same cut as a document being read gets, line by line.
            WrapShaper shaper(*this);
            for (int i = 0; i < n; ++i) shaper.Shape(Lines.Line(i), out);
            shaper.Finish(out);
            wordWrap_ = true;
            Lines.Adopt(std::move(out));
            NtoWcurpos(CurposX, CurposY);
            NtoWcurpos(GCurposX, GCurposY);
        } else {
            WtoNcurpos(CurposX, CurposY);
            WtoNcurpos(GCurposX, GCurposY);
            // A store of whole text lines (a document just read, say) is
            // unwrapped already: joining would copy it to the same lines.
            if (Lines.HardBreakCount() < n - 1) {
                out.reserve(static_cast<std::size_t>(Lines.HardBreakCount()) + 1);
                std::string cur;
                for (int i = 0; i < n; ++i) {
                    const std::string& line = Lines.Line(i);
                    cur += line;
                    if (IsLineTerminated(line) || i == n - 1) {
                        out.push_back(std::move(cur));
                        cur = std::string();
                    }
                }
                Lines.Adopt(std::move(out));
            }
            wordWrap_ = false;
        }
        CurposY = std::clamp(CurposY, 0, LastLine());
        GCurposY = std::clamp(GCurposY, 0, LastLine());
        SelEndX = PrevSelEndX = CurposX;
        SelEndY = PrevSelEndY = CurposY;
        ClOffsetX = 0;
        if (repaint) {
            if (!MoveCaret(CurposX, CurposY, Txmovemode::normal, false, false)) {
                View().UpdateScrollRanges();
                View().RepaintAll();
            }
        } else {
            CaretPixelX = PixelOfColumn(CurposY, CurposX) - ClOffsetX;
        }
    } catch (const std::exception&) {
        ShowMessage("Error:OC004");
    }
}

void TTarnEdit::NtoWcurpos(int& x, int& y) const {
    // Rows are split only as far as the position needs.
    if (!HasRow(0)) {
        x = y = 0;
        return;
    }
    int row;
    if (y <= 0) row = 0;
    else if (Lines.HasHardBreak(y - 1)) row = RowAtMost(Lines.HardBreakLine(y - 1) + 1);
    else row = LastLine();
    y = row;
    if (x <= 0) return;
    // The column runs on over the stored lines; one exactly at a cut stays
    // at the end of the earlier segment.
    long long rem = x;
    for (int i = row;; ++i) {
        x = static_cast<int>(rem);
        y = i;
        rem -= static_cast<long long>(Lines.Line(i).size());
        if (rem <= 0 || !HasRow(i + 1)) break;
    }
}

void TTarnEdit::WtoNcurpos(int& x, int& y) const {
    if (!HasRow(0)) {
        x = y = 0;
        return;
    }
    const int row = ClampRow(y);
    long long nx = x;
    for (int j = row - 1; j >= 0; --j) {
        const std::string& line = Lines.Line(j);
        if (HasLineBreak(line)) break;
        nx += static_cast<long long>(line.size());
    }
    y = Lines.HardBreaksBefore(row);
    x = static_cast<int>(std::min<long long>(nx, 0x7FFFFFFF));
}

int TTarnEdit::GetWrapTopIndex(int index) const {
    if (index < 1) return 0;
    index = std::min(index, LastLine());
    while (index > 0 && IsWrapSegment(Lines.Line(index - 1))) --index;
    return index;
}

int TTarnEdit::GetWrapendIndex(int index) const {
    const int last = LastLine();
    index = std::clamp(index, 0, std::max(0, last));
    while (index < last && !IsLineTerminated(Lines.Line(index))) ++index;
    return index;
}

bool TTarnEdit::ISInnerWrap(int index) const {
    if (index < 0 || index > LastLine()) return false;
    const std::string& line = Lines.Line(index);
    if (IsWrapSegment(line)) return true;
    return index > 0 && IsWrapSegment(Lines.Line(index - 1));
}

void TTarnEdit::GetWrapColumn(int& index1, int& index2) const {
    index1 = std::clamp(index1, 0, std::max(0, LastLine()));
    if (!WordWrap()) return;
    index1 = GetWrapTopIndex(index1);
    index2 = GetWrapendIndex(index1);
}

std::string TTarnEdit::GetNonWrapStr(int index) const {
    index = RowIn(index);
    if (!WordWrap()) return StripLineEnd(Lines.Line(index));
    std::string out;
    const int top = GetWrapTopIndex(index);
    const int end = GetWrapendIndex(top);
    for (int i = top; i <= end; ++i) out += Lines.Line(i);
    return StripLineEnd(out);
}

}  // namespace tarn
