// The editor: the document, the caret and the selection, and every
// operation on them. The view (painting, input) is reached only through
// TEditView; what the engine needs to know of the view's geometry is held
// here as plain fields that the view keeps up to date.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/engine/box_record.h"
#include "control/engine/char_routines.h"
#include "control/engine/edit_view.h"
#include "control/engine/find_state.h"
#include "control/engine/line_transform.h"
#include "control/engine/tarn_strings.h"
#include "control/engine/undo_action.h"
#include "control/engine/undo_history.h"
#include "control/engine/wrap_cut.h"

namespace tarn {

enum class Txmovemode { normal = 0, setcenter = 1, settop = 2 };

// A text position: Y a stored-line index, X a byte column.
struct TextPos {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TextPos&, const TextPos&) = default;
};

// A column found under a pixel x, with the pixel x of that column.
struct ColumnHit {
    int column = 0;
    int pixel = 0;
};

class TTarnEdit {
public:
    explicit TTarnEdit(TEditView* view = nullptr);
    TTarnEdit(const TTarnEdit&) = delete;
    TTarnEdit& operator=(const TTarnEdit&) = delete;
    virtual ~TTarnEdit() = default;

    void SetView(TEditView* view) { view_ = view ? view : &nullView_; }
    TEditView& View() const { return *view_; }

    // ---- The document -------------------------------------------------
    TTarnStrings Lines;
    int LineCount() const { return Lines.Count(); }
    int LastLine() const { return Lines.Count() - 1; }
    // Row questions that split a document still being read only as far as
    // they look (LineCount and LastLine split all of it).
    bool HasRow(int y) const { return Lines.Has(y); }
    // std::min(LastLine(), y).
    int RowAtMost(int y) const { return y < 0 || Lines.Has(y) ? y : LastLine(); }
    // std::clamp(y, 0, LastLine()) on a document with rows.
    int ClampRow(int y) const { return y <= 0 ? 0 : RowAtMost(y); }
    // The row count when it is below want, else some count of at least want.
    int RowsAtLeast(int want) const { return Lines.Has(want - 1) ? Lines.SettledCount() : LineCount(); }
    // The row count the scroll bar and the gutter go by: while rows are still
    // being split, an estimate that grows exact as they are.
    int RowsForScroll() const { return Lines.Settling() ? Lines.EstimatedCount() : LineCount(); }
    // Splits about bytes more of a document still being read; false once
    // it is all in rows. The view calls it when idle.
    bool SettleSome(std::size_t bytes);

    std::string Text() const;
    void SetText(std::string_view s);
    std::string GetStr(int x1, int y1, int x2, int y2) const;
    // The box between two corners: each row's piece between its box
    // columns, followed by CR LF.
    std::string BoxText(int anchorX, int anchorY, int endX, int endY) const;
    std::string SelText() const;
    int SelLength() const { return static_cast<int>(SelText().size()); }
    void SetSelLength(int n);

    bool LoadFromFile(const std::filesystem::path& name);
    bool SaveToFile(const std::filesystem::path& name) const;

    // Raw line access for the host: no repaint, no undo, no caret.
    int AxLinesCount() const { return Lines.Count(); }
    std::string AxGetLines(int index) const { return Lines.Get(index); }
    int AxAddLine(std::string s) { return Lines.Add(std::move(s)); }
    void AxInsertLine(int index, std::string s) { Lines.Insert(index, std::move(s)); }
    void AxDeleteLine(int index) { Lines.Delete(index); }
    void AxClearLines() { Lines.Clear(); }

    // ---- Caret and selection ------------------------------------------
    int CurposX = 0, CurposY = 0;    // caret
    int GCurposX = 0, GCurposY = 0;  // selection anchor
    int SelEndX = 0, SelEndY = 0;    // the other end
    int PrevSelEndX = 0, PrevSelEndY = 0;  // for incremental repaint
    bool SelFlag = false;
    bool AllSelFlag = false;
    bool BoxColumFix = false;
    int GoalX = 0;
    int CaretPixelX = 0;

    bool BoxSelMode() const noexcept { return boxSelMode_; }
    void SetBoxSelMode(bool v);

    bool CurSet(int x, int y, Txmovemode mode);
    void SetHome();
    void SetEnd();
    bool Selmode() const noexcept { return SelFlag || AllSelFlag; }
    bool GetselLine(int& x1, int& y1, int& x2, int& y2) const;
    void SetselLine(int x1, int y1, int x2, int y2);
    void ResetSel();
    void AllSel();
    void SelectAll() { AllSel(); }
    bool IsInnerSelect(int x, int y) const;
    // The columns [left, right) of stored line row inside the box.
    std::pair<int, int> BoxColumns(int row) const {
        return BoxColumnsBetween(row, {GCurposX, GCurposY}, {SelEndX, SelEndY});
    }
    std::pair<int, int> BoxColumnsBetween(int row, TextPos anchor, TextPos end) const;

    // ---- Flags and settings -------------------------------------------
    bool Modified = false;
    bool InsMode = true;
    bool ReadOnly = false;
    bool CustomEditF = false;
    bool AutoIndent = false;
    bool AutoWrap = false;
    bool SingleByteMode = false;
    bool UndoRec = true;
    std::int32_t UndoBuf = 0xF8000;
    bool CanRedo = false;
    bool MouseDownF = false;
    bool IMEChangingF = false;
    bool CurSetMode = true;
    bool CaretScrollFix = false;
    bool ShowRulerCur = false;

    int Column() const noexcept { return column_; }
    int TabCount() const noexcept { return tabCount_; }
    void SetTabCount(int v) { tabCount_ = static_cast<std::uint8_t>(v < 1 ? 1 : v > 8 ? 8 : v); }
    bool FreeCaretMode() const noexcept { return freeCaretMode_; }
    void SetFreeCaretMode(bool v);
    int VertScrollLimit() const noexcept { return vertScrollLimit_; }
    void SetVertScrollLimit(int v) { vertScrollLimit_ = v < 0 ? 0 : v > 50 ? 50 : v; }

    // ---- Geometry the view keeps up to date ----------------------------
    int Fontwidth = 0;
    int Fontheight = 0;
    int Lineheight = 0;
    int DwclientX = 0;
    int DwclientY = 0;
    int ClLineCount = 0;
    int ClOffsetX = 0;  // horizontal scroll, pixels
    int ClOffsetY = 0;  // first visible stored line
    int WidestRow = 0;  // widest visible row, pixels

    int MaxCurposX() const noexcept { return Fontwidth > 0 ? (32767 / Fontwidth) / 2 : 0; }
    int HorizontalStep() const noexcept { return (DwclientX + 4) / 5; }
    int CaretMargin() const noexcept { return CurSetMode ? 10 : HorizontalStep(); }
    int KeepOutRows() const;
    int VerticalMaximum() const;
    int LastVisibleLine() const;

    // Pixel width of a byte string after tab expansion.
    int ExpandedWidth(std::string_view bytes) const;
    // Pixel x (from the text's start) of column col of stored line row.
    int PixelOfColumn(int row, int col) const;
    // The character boundary of row nearest to pixel x (from the text's
    // start); with pad, the row counts as padded with spaces.
    ColumnHit ColumnAtPixel(int row, int x, bool pad) const;
    int FreeCaretLimit() const;

    // Moves the caret; negative column keeps it. Returns true if scrolled.
    bool MoveCaret(int column, int row, Txmovemode mode, bool setGoal, bool collapse);
    bool EnsureVisible(Txmovemode mode);
    // After a caret move, scroll or edit: tell the view, and raise the caret
    // events when the caret really moved.
    void CaretUpdate();

    // ---- Tabs ---------------------------------------------------------
    int GetTabcount(int x) const;
    std::string Tabtospace(std::string_view s) const;
    std::string Tabtospc(int index) const;
    int CurposX2() const;

    // ---- Word-wrap layout ---------------------------------------------
    bool WordWrap() const noexcept { return wordWrap_; }
    // The property write: relayout with repaint when the value changes.
    void PutWordWrap(bool v) { SetWordWrap(v, true); }
    void SetWordWrap(bool value, bool update);
    // At least 10; with word wrap on the document is wrapped again.
    void SetColumn(int v);
    void RefreshWrap();
    void RefreshLine();
    void NtoWcurpos(int& x, int& y) const;
    void WtoNcurpos(int& x, int& y) const;
    int GetWrapTopIndex(int index) const;
    int GetWrapendIndex(int index) const;
    bool ISInnerWrap(int index) const;
    void GetWrapColumn(int& index1, int& index2) const;
    std::string GetNonWrapStr(int index) const;
    // Bytes of s (a stored line, ending included) that fit on one row.
    int CutLength(std::string_view s) const;
    // Re-wraps the text lines of stored lines first..last after an edit.
    void Rewrap(int first, int last, bool repaint, bool countChanged);
    // Size change of the text area (re-wraps with AutoWrap).
    void Resized();
    // The widths the cut works with: wrap width (Fontwidth x Column, or the
    // text area with AutoWrap), minimum width, text area, font width.
    WrapWidths WrapGeometry() const;
    // Appends the rows of one text line (its stored lines joined) to out.
    void WrapInto(std::string_view textLine, std::vector<std::string>& out) const;
    // How lines read into the store become rows: cut by the wrap when it is
    // on, as they are when it is off.
    std::unique_ptr<LineShaper> FeedShaper() const;

    // ---- Editing ------------------------------------------------------
    // What an edit changed: stored lines first..last, and countChanged = -1
    // when lines were added or removed (else the changed line).
    struct EditRange {
        int first = 0;
        int last = 0;
        int countChanged = 0;
    };

    // Records an edit for undo; posx = -1 means the start of the selection.
    // Positions are wrapped; the record holds them unwrapped. False when the
    // text could not be recorded for lack of budget. Virtual so that a test
    // can watch what the edits record.
    virtual bool EditSave(TxUndoAction action, std::string_view s, int posx, int posy);

    // The two primitives every change goes through. record = false is the
    // history applying its own records.
    void InsertAtCaret(std::string_view text, bool refresh, bool box, bool record = true);
    void DeleteSelection(bool refresh, bool box, bool record = true);
    // After an edit of stored lines first..last; countChanged = -1 when lines
    // were added or removed.
    void AfterEditRefresh(int first, int last, int countChanged, int caretColumn);

    void TextPaste(std::string_view s);
    void SetSelText(std::string_view s) { TextPaste(s); }
    void Paste();
    void TxtCopy();
    void CopyToClipboard() { TxtCopy(); }
    void Cut();
    void ClearSelection();
    void Clear();
    void Recreate();
    void PrintText(std::string_view Str, int x1, int y1, int x2, int y2);
    void PrintText2(std::string_view Str, int& index1, int& index2);
    void LineDelTop();
    void LineDelEnd();

    // The edits behind the keyboard and the input method.
    void TypeText(std::string_view t);
    void NewLine();
    void InsertTab();
    void DeleteKey();
    void BackSpace();

    // ---- Drag and drop, the document side -----------------------------
    // A drag of the selection begins: the caret follows the pointer from
    // now on while the selection stays where it was.
    void DragInit();
    // Dropped text arrives at the caret; SelfDropF when it was dragged out
    // of this control (a move, or a copy with Ctrl).
    void DropText(std::string_view Str, bool SelfDropF);
    // A drag ends; ExtDropMoveF when another program may have taken the
    // text, so that a move leaves the selection cut.
    void DropFinish(bool SelfDropF, bool ExtDropMoveF);
    // Whether (x, y) lies in the selection, both ends included; a stream
    // selection is taken from its earlier end to its later one.
    bool PointInSelection(int x, int y) const;
    bool Dragging() const noexcept { return dragging_; }
    TextPos DragOrigin() const noexcept { return dragOrigin_; }
    int DragCursor = 1;           // screen cursor slot shown while dragging
    int DragStartCursor = 1;      // the slot in use when the drag began
    bool SavedCaretScrollFix = false;  // while the mouse button is held

    // ---- Events (raised only when assigned) ---------------------------
    std::function<void()> OnChange;
    std::function<void(bool)> OnChangeModify;
    std::function<void(bool)> OnChangeRedoMode;
    std::function<void()> OnSelectionChange;
    std::function<void()> OnMoveCaret;
    std::function<void(bool)> OnChangeInsMode;
    std::function<void(bool)> OnCustomEdit;  // DeleteF

    // ---- Undo and redo ------------------------------------------------
    void Undo();
    void Redo();
    void ClearUndoRecord();
    // Moves the newest record to the other history as Action (undo to redo
    // when UndoF); no event. Fails with the range error when there is none.
    void RedoSave(TxUndoAction Action, bool UndoF);
    const TUndoHistory& History() const noexcept { return history_; }

    // ---- Find and replace ---------------------------------------------
    // The host answers every search: x is the 1-based byte position of the
    // match in Str (0 = none), len its length.
    std::function<void(const std::string& Str, const std::string& findchr, int index, int& x, int& len)> OnFind;
    std::function<void(const std::string& findchr, int x, int y, int len, int Count)> OnFindHit;
    std::function<void(const std::string& findchr)> OnFindNoHit;
    std::function<void(const std::string& findchr, const std::string& Changechr, int x, int y, int len, int Count,
                       bool& ChangeF, bool& kakuninF, bool& AbortF)>
        OnFindChange;
    std::function<void(const std::string& findchr, const std::string& ChangeStr, int Count)> OnFindChangeEnd;

    void FindInit(std::string_view findchr);
    void FindStart();
    void FindDown();
    void FindUP();
    void FindChange(std::string_view findchr, std::string_view Changechr, bool AllChangeF, bool kakuninF,
                    bool TopStartF);
    void SetFindHitFocus(std::uint32_t HitColor);
    // The view reports each change of the selection it makes: the next
    // search starts at the caret again.
    void SelectionChanged();
    const TFindState& FindState() const noexcept { return find_; }

    // ---- Line transforms and queries ----------------------------------
    void TarnTrimRight(int& index1, int& index2, bool wordF);
    void TarnTrimLeft(int& index1, int& index2, bool wordF);
    void TarnTrim(int& index1, int& index2, bool wordF);
    void LineTabTospc(int& index1, int& index2);
    void Movestr(int& index1, int& index2, TxMovestate Movestate, int Clm);
    static std::string TarnSplit(std::string& Str, std::string_view Delimiter) { return SplitField(Str, Delimiter); }
    std::string GetLimWord(int& posx, int& posy, std::string_view LimStr) const;
    std::string TagSearch(int& posx, int& posy, bool TopOnlyF) const;

private:
    // Applies the newest record of the undo (or redo) history, and its
    // partner; true when the last record applied was tied to the one below.
    bool ApplyNewest(bool undo);
    void ApplyStep(bool undo);
    // Ties the records kept since History().Recorded() was `recorded` into
    // one undo step.
    void TieRecordsSince(std::uint64_t recorded);
    // A record at the same place as the one just applied goes with it.
    // The partner's tie when one was applied.
    std::optional<bool> ApplyPartner(bool undo, int x, int y);
    // Applies each item of a box record (inserting or deleting its text);
    // reversed receives the items applied, last first. False when the
    // record was malformed: what follows the fault is dropped.
    bool ApplyBoxRecord(const std::string& text, bool insert, std::string& reversed);
    // The caret to a recorded (unwrapped) position, kept inside the text.
    void CaretToRecord(int x, int y);
    void DeleteAtCaret(std::int64_t n);
    void InsertForHistory(std::string_view text);
    void UpdateRedoState();
    void MoveRecord(TxUndoAction action, bool undo);

    enum class FindStep { next, finished, aborted };
    FindStep SearchDown(bool replace);
    void SearchUp();
    int AskFind(const std::string& text, int index, int& len);
    // Keeps the search position inside the document after edits.
    void NormalizeFindPos();
    // Repaints the remembered hit as plain text and forgets it.
    void ForgetFindHit();
    void PrepareFindStep();
    // Unwraps, replaces lines index1..index2 by what build makes of each
    // visible line, and wraps again: one undoable replacement.
    void TransformLines(int& index1, int& index2, const std::function<std::string(std::string_view)>& each);

    TUndoHistory history_;
    TFindState find_;

public:

    // The control's own message boxes.
    void ShowMessage(std::string_view text) const { view_->ShowMessage(text); }

protected:
    // y limited to the stored lines; the store's range error when the host
    // has emptied the store.
    int RowIn(int y) const {
        if (!HasRow(0)) TTarnStrings::Error();
        return ClampRow(y);
    }
    // The primitives' work without the refresh: they return what changed.
    EditRange StreamInsert(std::string_view text, bool record);
    EditRange StreamDelete(bool record);
    EditRange BoxInsert(std::string_view text, bool record);
    EditRange BoxDelete(bool record);
    // Box insertion only: the last stored line gets a line break and a new
    // NUL line follows; the item that undoes it joins items.
    void AppendLastLine(std::vector<BoxItem>& items);
    // Puts text (line breaks already CR LF) into stored line y at column x
    // and leaves the caret after it; records nothing.
    EditRange SpliceText(int x, int y, std::string_view text);
    void Refresh(const EditRange& r) { AfterEditRefresh(r.first, r.last, r.countChanged, CurposX); }
    // The bytes between two positions counted as a stream, whatever the
    // selection mode.
    std::string StreamText(TextPos a, TextPos b) const;
    // A position made safe to cut at: inside the document, on a character
    // boundary, never between CR and LF; the full length of a terminated
    // line becomes the start of the next.
    TextPos CleanPosition(TextPos p, bool roundUp) const;
    // Deletes the selection of a replacing edit (box form in box mode).
    EditRange DeleteForReplace();
    static EditRange Merge(const EditRange& a, const EditRange& b);
    void Relayout(bool on, bool repaint);
    // The position one character before p, over line ends and segments.
    TextPos CharBefore(TextPos p) const;
    // The Delete key's work, and Backspace's after its move left.
    void DeleteAfterCaret(bool deleteKey);
    // The end of a typing edit: re-wrap or redraw, then the events.
    void FinishTyping(const EditRange& r, bool lineCountChanged);
    // The caret row after text was put into it outside the re-wrap.
    void RedrawAfterEdit(const EditRange& r);

    // Back to a fresh document state; settings are kept.
    void ResetState();
    // Puts a document just read in place (rows from feed) and shows its start.
    void ShowNewDocument(std::unique_ptr<LineFeed> feed);
    // The padded text of a row for free caret mode, or its visible text.
    std::string RowText(int row, int padTo) const;

    template <class F, class... A>
    static void Raise(const F& handler, A&&... args) {
        if (handler) handler(std::forward<A>(args)...);
    }

    bool dragging_ = false;
    TextPos dragOrigin_;

    TEditView nullView_;
    TEditView* view_;

    bool wordWrap_ = true;
    bool boxSelMode_ = false;
    bool freeCaretMode_ = false;
    int column_ = 72;
    std::uint8_t tabCount_ = 6;
    int vertScrollLimit_ = 20;

    // The caret as last reported by the caret events.
    int reportedX_ = -1, reportedY_ = -1, reportedPixel_ = -1;
};

}  // namespace tarn
