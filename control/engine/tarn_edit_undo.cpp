// Undo and redo: the editor applies the newest record of one history and
// moves it, kind turned round, to the other.
#include <algorithm>
#include <new>

#include "control/engine/box_record.h"
#include "control/engine/byte_walk.h"
#include "control/engine/tarn_edit.h"

namespace tarn {

void TTarnEdit::ClearUndoRecord() {
    history_.Clear();
    Modified = false;
    Raise(OnChangeModify, false);
    CanRedo = false;
    Raise(OnChangeRedoMode, false);
}

namespace {
// The kind a record takes in the other history once applied.
TxUndoAction TurnedRound(std::uint8_t a) {
    switch (a) {
        case uaInsert: return uaDelete;
        case uaDelInsert: return uadelkey;
        case uaDelete: return uaInsert;
        case uadelkey: return uaDelInsert;
        case uaoverwDel: return uaoverwIns;
        case uaoverwIns: return uaoverwDel;
        case uaBoxInsert: return uaBoxdelete;
        case uaBoxdelete: return uaBoxInsert;
        default: return static_cast<TxUndoAction>(a);
    }
}
}  // namespace

void TTarnEdit::CaretToRecord(int x, int y) {
    x = std::max(0, x);
    y = std::max(0, y);
    if (WordWrap()) {
        y = RowAtMost(y);
        NtoWcurpos(x, y);
    }
    y = ClampRow(y);
    const std::string& line = Lines.Line(y);
    x = std::clamp(x, 0, VisibleLength(line));
    if (SplitsCharacter(line, x, SingleByteMode)) --x;
    MoveCaret(x, y, Txmovemode::normal, true, true);
}

void TTarnEdit::DeleteAtCaret(std::int64_t n) {
    const ByteWalkPos end = WalkBytes(Lines, {CurposX, CurposY}, n);
    if (end.X == CurposX && end.Y == CurposY) return;
    GCurposX = CurposX;
    GCurposY = CurposY;
    SelEndX = end.X;
    SelEndY = end.Y;
    SelFlag = true;
    DeleteSelection(true, false, false);
}

void TTarnEdit::InsertForHistory(std::string_view text) {
    // Records can come from the host; an end-of-text mark inside the
    // document would cut it in two.
    if (text.find('\0') != std::string_view::npos) {
        std::string clean(text);
        std::erase(clean, '\0');
        if (!clean.empty()) InsertAtCaret(clean, true, false, false);
        return;
    }
    if (!text.empty()) InsertAtCaret(text, true, false, false);
}

bool TTarnEdit::ApplyBoxRecord(const std::string& text, bool insert, std::string& reversed) {
    const BoxRecordParse parsed = ParseBoxRecord(text);
    std::vector<BoxItem> done;
    for (const BoxItem& item : parsed.items) {
        CaretToRecord(item.X, item.Y);
        if (insert) InsertForHistory(item.Text);
        else DeleteAtCaret(static_cast<std::int64_t>(item.Text.size()));
        done.push_back(item);
    }
    std::reverse(done.begin(), done.end());
    reversed = WriteBoxRecord(done);
    if (!parsed.ok) {
        ShowMessage("Error:OC010_BoxUndo");
        MoveCaret(0, 0, Txmovemode::normal, true, true);
        return false;
    }
    return true;
}

bool TTarnEdit::ApplyNewest(bool undo) {
    TEditRecordList& from = undo ? history_.Undo : history_.Redo;
    // The history applies stream edits whatever the selection mode; the
    // mode comes back however the step ends.
    struct KeepMode {
        bool& mode;
        bool saved;
        ~KeepMode() { mode = saved; }
    } keep{boxSelMode_, boxSelMode_};
    ResetSel();
    boxSelMode_ = false;
    const TEditRecord r = from.Newest();
    bool tied = r.WithOlder;
    bool moved = true;
    bool boxSound = true;
    switch (r.Action) {
        case uaInsert:
        case uaDelInsert:
        case uaoverwIns:
            CaretToRecord(r.X, r.Y);
            DeleteAtCaret(static_cast<std::int64_t>(r.Text.size()));
            break;
        case uaDelete:
            CaretToRecord(r.X, r.Y);
            InsertForHistory(r.Text);
            break;
        case uadelkey:
            CaretToRecord(r.X, r.Y);
            InsertForHistory(r.Text);
            CaretToRecord(r.X, r.Y);
            break;
        case uaBoxInsert:
        case uaBoxdelete: {
            std::string reversed;
            boxSound = ApplyBoxRecord(r.Text, r.Action == uaBoxdelete, reversed);
            from.SetNewestText(std::move(reversed));
            break;
        }
        case uaoverwDel:
            // On the redo side it is a typed-over edit that overwrote
            // nothing (typing at a line end): redoing it types it again.
            // Alone on the undo side it stays and is never applied.
            if (undo) {
                moved = false;
                break;
            }
            CaretToRecord(r.X, r.Y);
            InsertForHistory(r.Text);
            break;
        default:
            // uaBoxoverw and unknown kinds apply nothing.
            moved = false;
            break;
    }
    if (moved) {
        MoveRecord(TurnedRound(r.Action), undo);
        if (r.Action == uaInsert || r.Action == uaDelInsert || r.Action == uaoverwIns || r.Action == uaBoxInsert)
            if (const auto partner = ApplyPartner(undo, r.X, r.Y)) tied = *partner;
        // After a malformed record the caret stays where the report left it.
        if (r.Action == uaBoxInsert && boxSound) CaretToRecord(r.X, r.Y);
    }
    const bool modified = !history_.Undo.Empty() || history_.Truncated();
    if (modified != Modified) {
        Modified = modified;
        Raise(OnChangeModify, modified);
    }
    Raise(OnChange);
    return moved && tied;
}

std::optional<bool> TTarnEdit::ApplyPartner(bool undo, int x, int y) {
    TEditRecordList& from = undo ? history_.Undo : history_.Redo;
    if (from.Empty()) return std::nullopt;
    const TEditRecord p = from.Newest();
    if (p.X != x || p.Y != y) return std::nullopt;
    switch (p.Action) {
        case uaDelete:
            CaretToRecord(p.X, p.Y);
            InsertForHistory(p.Text);
            MoveRecord(uaInsert, undo);
            break;
        case uaoverwDel:
            CaretToRecord(p.X, p.Y);
            InsertForHistory(p.Text);
            CaretToRecord(p.X, p.Y);
            MoveRecord(uaoverwIns, undo);
            break;
        case uaBoxdelete: {
            std::string reversed;
            ApplyBoxRecord(p.Text, true, reversed);
            from.SetNewestText(std::move(reversed));
            MoveRecord(uaBoxInsert, undo);
            break;
        }
        default:
            return std::nullopt;
    }
    return p.WithOlder;
}

void TTarnEdit::MoveRecord(TxUndoAction action, bool undo) {
    try {
        history_.Move(action, undo);
    } catch (const std::bad_alloc&) {
        ShowMessage(undo ? "Error:OC001_2" : "Error:OC001_3");
    }
}

void TTarnEdit::UpdateRedoState() {
    const bool can = !history_.Redo.Empty();
    if (can == CanRedo) return;
    CanRedo = can;
    Raise(OnChangeRedoMode, can);
}

// One step: the newest record with its partner, and with every record tied
// below it; the records land on the other side tied the same way, so that
// the step comes back whole.
void TTarnEdit::ApplyStep(bool undo) {
    // A step of many records shows once, at its end.
    const TViewBatch batch(View());
    TEditRecordList& from = undo ? history_.Undo : history_.Redo;
    TEditRecordList& to = undo ? history_.Redo : history_.Undo;
    const int before = to.Count();
    while (ApplyNewest(undo) && !from.Empty()) {
    }
    const int moved = to.Count() - before;
    if (moved > 1) to.Tie(moved);
}

void TTarnEdit::TieRecordsSince(std::uint64_t recorded) {
    const auto n = history_.Recorded() - recorded;
    if (n > 1) history_.Undo.Tie(static_cast<int>(std::min<std::uint64_t>(n, history_.Undo.Count())));
}

void TTarnEdit::Undo() {
    if (history_.Undo.Empty() || UndoBuf == 0) return;
    ApplyStep(true);
    UpdateRedoState();
}

void TTarnEdit::Redo() {
    if (history_.Redo.Empty()) return;
    ApplyStep(false);
    UpdateRedoState();
}

}  // namespace tarn
