// Rows: the row painter, the segment painter that selection painting is
// built from, the line-end marks, and the space and TAB marks.
#include <QTextLayout>
#include <vector>

#include "control/view/pen_walker.h"
#include "control/view/pictograph_art.h"
#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"
#include "platform/codepage/pictographs.h"

namespace tarn::view {
namespace {

// A rectangle given by its edges, the right and bottom ones excluded.
QRect Edges(int left, int top, int right, int bottom) { return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top)); }

int ExclusiveRight(const QRect& r) { return r.x() + r.width(); }

// Bytes the line end takes from the end of a stored line.
std::size_t EndingLength(std::string_view line) { return line.size() - VisibleText(line).size(); }

// An ideographic space: two cells wide in a fixed-pitch font, and no ink.
constexpr std::string_view kBlankCell = "\x81\x40";

}  // namespace

TExpandedRow TTarnEditView::Expand(std::string_view bytes) const {
    TExpandedRow ex;
    ex.text.reserve(bytes.size() + 16);
    const bool single = edit_.SingleByteMode;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (!single && platform::codepage::IsLeadByte(c) && i + 1 < bytes.size()) {
            ex.text.push_back(c);
            ex.text.push_back(bytes[++i]);
        } else if (c == '\t') {
            const int n = edit_.GetTabcount(static_cast<int>(ex.text.size()) + 1);
            if (static_cast<int>(ex.tabs.size()) < kMaxTabMarks) {
                const int x = font_.Width(ex.text);
                ex.text.append(static_cast<std::size_t>(n), ' ');
                ex.tabs.push_back({x, font_.Width(ex.text) - x});
            } else {
                ex.text.append(static_cast<std::size_t>(n), ' ');
            }
        } else {
            ex.text.push_back(c);
        }
    }
    return ex;
}

Colour TTarnEditView::RowColour(int row) const {
    const Colour normal = settings_.Font().Color;
    if (!settings_.ColorPrintF || settings_.QuotMarkStr.empty()) return normal;
    while (row > 0 && IsWrapSegment(edit_.Lines.Line(row - 1))) --row;
    const std::string_view text = VisibleText(edit_.Lines.Line(row));
    if (text.empty()) return normal;
    const bool single = edit_.SingleByteMode;
    const std::size_t n = (!single && platform::codepage::IsLeadByte(text[0]) && text.size() > 1) ? 2 : 1;
    const std::string_view first = text.substr(0, n);
    // The marks are characters: a trail byte of the set is no mark.
    const std::string& marks = settings_.QuotMarkStr;
    for (std::size_t i = 0; i < marks.size();) {
        const std::size_t len = (!single && platform::codepage::IsLeadByte(marks[i]) && i + 1 < marks.size()) ? 2 : 1;
        if (std::string_view(marks).substr(i, len) == first) return settings_.QuotMarkColor;
        i += len;
    }
    return normal;
}

const QList<QGlyphRun>& TTarnEditView::ShapedRow(std::string_view expanded, const QFont& font) {
    if (shaped_.text == expanded && shaped_.font == font) return shaped_.runs;
    QTextLayout layout(FromBytes(expanded), font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(1e9);
    layout.endLayout();
    shaped_.text.assign(expanded);
    shaped_.font = font;
    shaped_.runs = layout.glyphRuns();
    return shaped_.runs;
}

void TTarnEditView::DrawRowText(TPaintScope& s, int x, int y, std::string_view expanded, Colour fg, Colour bg,
                                const QRect& clip, bool underline) {
    if (clip.isEmpty()) return;
    s.Clip(clip);
    s->fillRect(clip, ToQColor(bg));
    // Pictographs are pictures over blank cells: the font would draw each as
    // an empty box, and might not even give it two cells.
    using platform::codepage::PictographPlace;
    const std::vector<PictographPlace> pictographs =
        edit_.SingleByteMode ? std::vector<PictographPlace>() : platform::codepage::FindPictographs(expanded);
    std::string blanked;
    if (!pictographs.empty() && font_.FixedPitch()) {
        blanked.assign(expanded);
        for (const PictographPlace& c : pictographs) blanked.replace(c.offset, 2, kBlankCell);
        expanded = blanked;
    }
    if (!expanded.empty()) {
        s->setPen(ToQColor(fg));
        if (font_.FixedPitch() && font_.AverageWidth() > 0) {
            // The row is shaped once and its glyphs reused: colour runs
            // paint a few cells of the row just painted, and shaping the
            // whole row for each would cost as much as painting it. Only the
            // glyphs whose cells (two wide at most) reach into the clip are
            // drawn, on the row's own baseline.
            const qreal fw = font_.AverageWidth();
            const qreal lo = clip.x() - x - 2 * fw, hi = clip.x() + clip.width() - x;
            const qreal baseline = font_.Ascent();
            for (const QGlyphRun& run : ShapedRow(expanded, font_.Font())) {
                const QList<quint32> glyphs = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                QList<quint32> g;
                QList<QPointF> p;
                for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
                    if (positions[i].x() <= lo || positions[i].x() >= hi) continue;
                    g.push_back(glyphs[i]);
                    p.push_back(QPointF(positions[i].x(), baseline));
                }
                if (g.isEmpty()) continue;
                QGlyphRun part = run;
                part.setGlyphIndexes(g);
                part.setPositions(p);
                part.setUnderline(underline);
                s->drawGlyphRun(QPointF(x, y), part);
            }
        } else {
            QFont f = font_.Font();
            f.setUnderline(underline);
            s->setFont(f);
            // Proportional text goes out in the pieces between pictographs,
            // each where the widths the caret follows put it.
            std::size_t from = 0;
            auto piece = [&](std::size_t to) {
                if (to <= from) return;
                const int at = x + font_.Width(expanded.substr(0, from));
                s->drawText(QPoint(at, y + font_.Ascent()), FromBytes(expanded.substr(from, to - from)));
            };
            for (const PictographPlace& c : pictographs) {
                piece(c.offset);
                from = c.offset + 2;
            }
            piece(expanded.size());
            s->setFont(font_.Font());
        }
        for (const PictographPlace& c : pictographs) {
            const int left = x + font_.Width(expanded.substr(0, c.offset));
            const int right = x + font_.Width(expanded.substr(0, c.offset + 2));
            const QRect box(left, y, right - left, font_.CellHeight());
            if (box.intersects(clip)) TPictographArt::Instance().Draw(*s, c.code, box, ToQColor(fg));
        }
    }
    s.Unclip();
}

void TTarnEditView::DrawEofMark(TPaintScope& s, int x, int y, const QRect* cell) {
    static const QString kEof = QStringLiteral("[EOF]");
    const QRect box = cell ? *cell : QRect(x, y, font_.Metrics().horizontalAdvance(kEof), edit_.Fontheight);
    if (cell) s.Clip(*cell);
    s->fillRect(box, ToQColor(settings_.Color()));
    s->setPen(ToQColor(settings_.CREOFcolor));
    s->drawText(QPoint(x, y + font_.Ascent()), kEof);
    s.Unclip();
}

void TTarnEditView::DrawCrArrow(TPaintScope& s, int x, int y, Colour c) {
    s->setPen(ToQColor(c));
    TPenWalker pen(*s, false);
    const int u = upperMark_, d = lowerMark_;
    pen.MoveTo(x + 4, y + u);
    pen.LineTo(x + 4, y + d);
    pen.LineTo(x + 1, y + d - 3);
    pen.MoveTo(x + 4, y + d);
    pen.LineTo(x + 7, y + d - 3);
}

void TTarnEditView::DrawMarks(TPaintScope& s, const TExpandedRow& ex, int y, const QRect& clip, bool selected) {
    if (clip.isEmpty()) return;
    const bool dbl = settings_.ShowDblSpace && !edit_.SingleByteMode;
    if (!dbl && !settings_.ShowSglSpace && !settings_.ShowTAB) return;
    const Colour c = selected ? settings_.CREOFcolor ^ 0xFFFFFF : settings_.CREOFcolor;
    s.Clip(clip);
    s->setPen(ToQColor(c));
    const int origin = TextOrigin();
    const int clipLeft = clip.x();
    const int clipRight = ExclusiveRight(clip);
    const int H = dblSpaceH_;
    const std::string& t = ex.text;
    const bool single = edit_.SingleByteMode;
    if (dbl) {
        TPenWalker pen(*s, true);
        const int W = dblSpaceW_;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (!platform::codepage::IsLeadByte(t[i]) || i + 1 >= t.size()) continue;
            if (static_cast<unsigned char>(t[i]) == 0x81 && t[i + 1] == 0x40) {
                const int R = origin + font_.Width(std::string_view(t).substr(0, i + 2));
                if (clipRight < R - W) break;
                if (R >= clipLeft) {
                    pen.MoveTo(R - 2, y + 2);
                    pen.LineTo(R - 2, y + H - 2);
                    pen.LineTo(R + 2 - W, y + H - 2);
                    pen.LineTo(R + 2 - W, y + 2);
                    pen.LineTo(R - 2, y + 2);
                }
            }
            ++i;
        }
    }
    if (settings_.ShowSglSpace) {
        TPenWalker pen(*s, true);
        const int W = spaceW_;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (!single && platform::codepage::IsLeadByte(t[i]) && i + 1 < t.size()) {
                ++i;
                continue;
            }
            if (t[i] != ' ') continue;
            const int R = origin + font_.Width(std::string_view(t).substr(0, i + 1));
            if (clipRight < R - W) break;
            if (R < clipLeft) continue;
            const int rel = R - origin;
            bool inTab = false;
            for (const TExpandedRow::Tab& tab : ex.tabs)
                if (rel - W >= tab.x && rel <= tab.x + tab.width) {
                    inTab = true;
                    break;
                }
            if (inTab) continue;
            pen.MoveTo(R - 1, y + 2);
            pen.LineTo(R - 1, y + H - 2);
            pen.LineTo(R + 1 - W, y + H - 2);
            pen.LineTo(R + 1 - W, y + 2);
            pen.LineTo(R - 1, y + 2);
        }
    }
    if (settings_.ShowTAB) {
        TPenWalker pen(*s, false);
        const int w = spaceW_;
        const int m = y + H / 2;
        for (const TExpandedRow::Tab& tab : ex.tabs) {
            const int x = tab.x + origin;
            if (x + w >= clipLeft) {
                pen.MoveTo(x + 1, m);
                pen.LineTo(x + w - 1, m);
                pen.LineTo(x + w - 4, m - 3);
                pen.MoveTo(x + w - 1, m);
                pen.LineTo(x + w - 4, m + 3);
            }
            if (x > clipRight) break;
        }
    }
    s.Unclip();
}

void TTarnEditView::RowPainter(int row, int startX) {
    TPaintScope s(*this);
    const std::string& line = edit_.Lines.Line(row);
    TExpandedRow ex = Expand(line);
    const Colour fg = RowColour(row);
    const Colour bg = settings_.Color();
    const char last = line.empty() ? '\x01' : line.back();
    ex.text.resize(ex.text.size() - EndingLength(line));
    const int y = RowTop(row);
    const QRect clip = Edges(textLeft_ + startX - 1, y, RightEdge(), y + edit_.Lineheight);
    const int origin = TextOrigin();
    DrawRowText(s, origin, y, ex.text, fg, bg, clip, false);
    const int end = origin + font_.Width(ex.text);
    if (last == '\0' && settings_.ShowEOF) DrawEofMark(s, end, y, nullptr);
    else if (last == '\n' && settings_.ShowCR) DrawCrArrow(s, end, y, settings_.CREOFcolor);
    if (OnUserClientDraw) OnUserClientDraw(row, row, clip.x(), clip.y(), ExclusiveRight(clip), clip.y() + clip.height());
    UrlColouring(row, row, &clip);
    DrawMarks(s, ex, y, clip, false);
}

void TTarnEditView::Segment(int row, int from, int to, bool selected) {
    const std::string& line = edit_.Lines.Line(row);
    to = std::min(to, static_cast<int>(line.size()));
    from = std::max(0, from);
    if (from >= to) return;
    TPaintScope s(*this);
    TExpandedRow ex = Expand(std::string_view(line).substr(0, static_cast<std::size_t>(to)));
    const std::size_t skip = Expand(std::string_view(line).substr(0, static_cast<std::size_t>(from))).text.size();
    std::string text = ex.text.substr(skip);
    const int origin = TextOrigin();
    const int x = origin + font_.Width(std::string_view(ex.text).substr(0, skip));
    const int y = RowTop(row);
    const int bottom = y + edit_.Lineheight;
    const bool asSelected = selected || edit_.AllSelFlag;
    const Colour colour = settings_.Color();
    const char last = line[static_cast<std::size_t>(to - 1)];
    if (last == '\0') {
        text.pop_back();
        const int e = x + font_.Width(text);
        const QRect cell = Edges(e, y, RightEdge(), bottom);
        if (settings_.ShowEOF) DrawEofMark(s, e, y, &cell);
        else s->fillRect(cell, ToQColor(colour));
    } else if (last == '\n' && text.size() >= 2) {
        text.resize(text.size() - 2);
        const int e = x + font_.Width(text);
        const QRect cr = Edges(std::max(textLeft_, e), y, std::max(textLeft_, e + 8), bottom);
        s->fillRect(cr, ToQColor(asSelected ? settings_.SelColor : colour));
        if (settings_.ShowCR) {
            s.Clip(Edges(textLeft_, y, RightEdge(), bottom));
            DrawCrArrow(s, e, y, asSelected ? settings_.CREOFcolor ^ 0xFFFFFF : settings_.CREOFcolor);
            s.Unclip();
        }
        s->fillRect(Edges(ExclusiveRight(cr), y, RightEdge(), bottom), ToQColor(colour));
    }
    const int w = font_.Width(text);
    const QRect rect = Edges(std::max(textLeft_, x), y, std::max(textLeft_, x + w), bottom);
    // The marks look at the whole expanded prefix; the clip keeps them to
    // this segment.
    if (asSelected) {
        const Colour fg = runTextColour_ ? *runTextColour_ : settings_.Font().Color ^ 0xFFFFFF;
        DrawRowText(s, x, y, text, fg, settings_.SelColor, rect, false);
        DrawMarks(s, ex, y, rect, true);
    } else {
        DrawRowText(s, x, y, text, RowColour(row), colour, rect, false);
        if (OnUserClientDraw) OnUserClientDraw(row, row, rect.x(), rect.y(), ExclusiveRight(rect), rect.y() + rect.height());
        UrlColouring(row, row, &rect);
        DrawMarks(s, ex, y, rect, false);
    }
    if (to == static_cast<int>(line.size()) && last != '\0' && last != '\n')
        s->fillRect(Edges(std::max(textLeft_, x + w), y, RightEdge(), bottom), ToQColor(colour));
}

}  // namespace tarn::view
