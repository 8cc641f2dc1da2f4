// The operations behind ITarnEditX's members: each forwards to the editor,
// its window or its settings, converting at the boundary (strings to and
// from CP932, colours with system colours resolved, enumerations checked).
#include "control/activex/tarn_edit_x.h"
#include "control/activex/checked_enum.h"
#include "control/activex/tarn_font.h"
#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"
#include "platform/com/error_guard.h"
#include "platform/com/utf.h"

#include <QWidget>  // after the runtime's headers: Qt's "slots" macro

namespace tarnedit {

namespace cp = platform::codepage;
using tarn::view::ResolveColour;

namespace {

std::string B(const Bstr& s) { return cp::ToBytes(s); }
Bstr W(std::string_view s) { return cp::ToUtf16(s); }

}  // namespace

#define ED (view_->Editor())
#define ST (view_->Settings())

// ---- Caret, selection and geometry -----------------------------------------
Long TTarnEditX::Get_ClLineCount() { return ED.ClLineCount; }
Bool TTarnEditX::Get_IMEChangingF() { return ED.IMEChangingF; }
Long TTarnEditX::Get_SelLength() { return ED.SelLength(); }
void TTarnEditX::Put_SelLength(Long v) { ED.SetSelLength(v); }
Bool TTarnEditX::Get_CanRedo() { return ED.CanRedo; }
Long TTarnEditX::Get_LineNoWidth() { return view_->LineNoWidth(); }
Long TTarnEditX::Get_CurposX2() { return ED.CurposX2(); }
Long TTarnEditX::Get_CurposX() { return ED.CurposX; }
Long TTarnEditX::Get_CurposY() { return ED.CurposY; }
Long TTarnEditX::Get_GCurposX() { return ED.GCurposX; }
Long TTarnEditX::Get_GCurposY() { return ED.GCurposY; }
Long TTarnEditX::Get_DwclientX() { return ED.DwclientX; }
Long TTarnEditX::Get_DwclientY() { return ED.DwclientY; }
Long TTarnEditX::Get_ClOffsetX() { return ED.ClOffsetX; }
Long TTarnEditX::Get_ClOffsetY() { return ED.ClOffsetY; }
Long TTarnEditX::Get_CaretX() { return view_->CaretX(); }
Long TTarnEditX::Get_CaretY() { return view_->CaretY(); }
Long TTarnEditX::Get_Lineheight() { return ED.Lineheight; }
Long TTarnEditX::Get_Fontwidth() { return ED.Fontwidth; }
Long TTarnEditX::Get_Fontheight() { return ED.Fontheight; }
Bool TTarnEditX::Get_InsMode() { return ED.InsMode; }
void TTarnEditX::Put_InsMode(Bool v) { ED.InsMode = v; }
Bstr TTarnEditX::Get_SelText() { return W(ED.SelText()); }
void TTarnEditX::Put_SelText(Bstr v) { ED.TextPaste(B(v)); }
Bool TTarnEditX::Get_Modified() { return ED.Modified; }
void TTarnEditX::Put_Modified(Bool v) { ED.Modified = v; }
Bool TTarnEditX::Get_MouseDownF() { return ED.MouseDownF; }
void TTarnEditX::Put_MouseDownF(Bool v) { ED.MouseDownF = v; }
Long TTarnEditX::Get_MaxCurposX() { return ED.MaxCurposX(); }
Bstr TTarnEditX::Get_Text() { return W(ED.Text()); }
void TTarnEditX::Put_Text(Bstr v) { ED.SetText(B(v)); }
Bool TTarnEditX::Get_CustomEditF() { return ED.CustomEditF; }
void TTarnEditX::Put_CustomEditF(Bool v) { ED.CustomEditF = v; }

// ---- Methods ---------------------------------------------------------------
void TTarnEditX::Op_ReDesign() { view_->ReDesign(); }
void TTarnEditX::Op_DropFinish(Bool self, Bool extMove) { ED.DropFinish(self, extMove); }
void TTarnEditX::Op_DragInit() { ED.DragInit(); }
void TTarnEditX::Op_DropText(const Bstr& s, Bool self) { ED.DropText(B(s), self); }
Bool TTarnEditX::Op_IsInnerSelect(Long x, Long y) { return ED.IsInnerSelect(x, y); }
void TTarnEditX::Op_Movestr(Long& i1, Long& i2, TxMovestate m, Long clm) {
    ED.Movestr(i1, i2, static_cast<tarn::TxMovestate>(Checked<TxMovestate>(m, 2, u"Movestate")), clm);
}
void TTarnEditX::Op_SetWordWrap(Bool v, Bool update) { ED.SetWordWrap(v, update); }
Bstr TTarnEditX::Op_GetStr(Long x1, Long y1, Long x2, Long y2) { return W(ED.GetStr(x1, y1, x2, y2)); }
void TTarnEditX::Op_FindInit(const Bstr& f) { ED.FindInit(B(f)); }
void TTarnEditX::Op_FindStart() { ED.FindStart(); }
void TTarnEditX::Op_FindDown() { ED.FindDown(); }
void TTarnEditX::Op_FindUP() { ED.FindUP(); }
void TTarnEditX::Op_FindChange(const Bstr& f, const Bstr& c, Bool all, Bool ask, Bool top) {
    ED.FindChange(B(f), B(c), all, ask, top);
}
void TTarnEditX::Op_SetFindHitFocus(Color c) { ED.SetFindHitFocus(ResolveColour(c.value)); }
Bool TTarnEditX::Op_LoadFromFile(const Bstr& name) { return ED.LoadFromFile(com::Utf16ToUtf8(name)); }
Bool TTarnEditX::Op_SaveToFile(const Bstr& name) { return ED.SaveToFile(com::Utf16ToUtf8(name)); }
Bool TTarnEditX::Op_CurSet(Long x, Long y, Txmovemode mode) {
    return ED.CurSet(x, y, static_cast<tarn::Txmovemode>(Checked<Txmovemode>(mode, 2, u"mode")));
}
namespace {
// A host undoing many steps in a row shows only the last one: each step's
// repaint waits for the next frame.
class TNextFrame {
public:
    explicit TNextFrame(tarn::view::TTarnEditView& v) : v_(v) { v_.BeginBatch(); }
    ~TNextFrame() { v_.EndBatchForNextFrame(); }
    TNextFrame(const TNextFrame&) = delete;
    TNextFrame& operator=(const TNextFrame&) = delete;

private:
    tarn::view::TTarnEditView& v_;
};
}  // namespace

void TTarnEditX::Op_Undo() {
    const TNextFrame later(*view_);
    ED.Undo();
}
void TTarnEditX::Op_Redo() {
    const TNextFrame later(*view_);
    ED.Redo();
}
void TTarnEditX::Op_Cut() { ED.Cut(); }
void TTarnEditX::Op_TxtCopy() { ED.TxtCopy(); }
void TTarnEditX::Op_Paste() { ED.Paste(); }
void TTarnEditX::Op_TextPaste(const Bstr& s) { ED.TextPaste(B(s)); }
Bstr TTarnEditX::Op_GetLimWord(Long& x, Long& y, const Bstr& lim) { return W(ED.GetLimWord(x, y, B(lim))); }
Bstr TTarnEditX::Op_TagSearch(Long& x, Long& y, Bool top) { return W(ED.TagSearch(x, y, top)); }
Bool TTarnEditX::Op_GetselLine(Long& x1, Long& y1, Long& x2, Long& y2) { return ED.GetselLine(x1, y1, x2, y2); }
void TTarnEditX::Op_SetselLine(Long x1, Long y1, Long x2, Long y2) { ED.SetselLine(x1, y1, x2, y2); }
void TTarnEditX::Op_PrintText(const Bstr& s, Long x1, Long y1, Long x2, Long y2) {
    ED.PrintText(B(s), x1, y1, x2, y2);
}
void TTarnEditX::Op_PrintText2(const Bstr& s, Long& i1, Long& i2) { ED.PrintText2(B(s), i1, i2); }
void TTarnEditX::Op_SetTxtColor(Long x, Long y, Long L, Color fc, Color bc, Bool normalF) {
    view_->SetTxtColor(x, y, L, ResolveColour(fc.value), ResolveColour(bc.value), normalF);
}
void TTarnEditX::Op_SetTxtColor2(Long x, Long y, Long L, Color fc, Color bc, Bool ulineF, Long dx1, Long dy1, Long dx2,
                                 Long dy2) {
    view_->SetTxtColor2(x, y, L, ResolveColour(fc.value), ResolveColour(bc.value), ulineF, dx1, dy1, dx2, dy2);
}
void TTarnEditX::Op_NtoWcurpos(Long& x, Long& y) { ED.NtoWcurpos(x, y); }
void TTarnEditX::Op_WtoNcurpos(Long& x, Long& y) { ED.WtoNcurpos(x, y); }
void TTarnEditX::Op_GetWrapColumn(Long& i1, Long& i2) { ED.GetWrapColumn(i1, i2); }
Long TTarnEditX::Op_GetWrapTopIndex(Long i) { return ED.GetWrapTopIndex(i); }
Long TTarnEditX::Op_GetWrapendIndex(Long i) { return ED.GetWrapendIndex(i); }
Bool TTarnEditX::Op_ISInnerWrap(Long i) { return ED.ISInnerWrap(i); }
void TTarnEditX::Op_ResetSel() { ED.ResetSel(); }
void TTarnEditX::Op_LineTabTospc(Long& i1, Long& i2) { ED.LineTabTospc(i1, i2); }
Long TTarnEditX::Op_GetTabcount(Long x) { return ED.GetTabcount(x); }
Bstr TTarnEditX::Op_Tabtospc(Long i) { return W(ED.Tabtospc(i)); }
Bstr TTarnEditX::Op_Tabtospace(const Bstr& s) { return W(ED.Tabtospace(B(s))); }
void TTarnEditX::Op_DrawLine(Long y1, Long y2) { view_->DrawLine(y1, y2); }
Bool TTarnEditX::Op_Selmode() { return ED.Selmode(); }
void TTarnEditX::Op_AllSel() { ED.AllSel(); }
void TTarnEditX::Op_SelectAll() { ED.SelectAll(); }
void TTarnEditX::Op_TarnTrimLeft(Long& i1, Long& i2, Bool w) { ED.TarnTrimLeft(i1, i2, w); }
void TTarnEditX::Op_TarnTrimRight(Long& i1, Long& i2, Bool w) { ED.TarnTrimRight(i1, i2, w); }
void TTarnEditX::Op_TarnTrim(Long& i1, Long& i2, Bool w) { ED.TarnTrim(i1, i2, w); }
Bool TTarnEditX::Op_EditSave(TxUndoAction a, const Bstr& s, Long x, Long y) {
    return ED.EditSave(static_cast<tarn::TxUndoAction>(Checked<TxUndoAction>(a, 8, u"Action")), B(s), x, y);
}
void TTarnEditX::Op_RedoSave(TxUndoAction a, Bool undoF) {
    ED.RedoSave(static_cast<tarn::TxUndoAction>(Checked<TxUndoAction>(a, 8, u"Action")), undoF);
}
void TTarnEditX::Op_ClearUndoRecord() { ED.ClearUndoRecord(); }
void TTarnEditX::Op_RefreshLine() { ED.RefreshLine(); }
void TTarnEditX::Op_Recreate() { ED.Recreate(); }
void TTarnEditX::Op_SetHome() { ED.SetHome(); }
void TTarnEditX::Op_SetEnd() { ED.SetEnd(); }
void TTarnEditX::Op_RefreshWrap() { ED.RefreshWrap(); }
Bstr TTarnEditX::Op_GetNonWrapStr(Long i) { return W(ED.GetNonWrapStr(i)); }
Bstr TTarnEditX::Op_TarnSplit(Bstr& s, const Bstr& delimiter) {
    std::string bytes = B(s);
    std::string field = tarn::TTarnEdit::TarnSplit(bytes, B(delimiter));
    s = W(bytes);
    return W(field);
}
void TTarnEditX::Op_ColorPrintText(Long i1, Long i2) { view_->ColorPrintText(i1, i2); }
void TTarnEditX::Op_ClearSelection() { ED.ClearSelection(); }
void TTarnEditX::Op_LineDelTop() { ED.LineDelTop(); }
void TTarnEditX::Op_LineDelEnd() { ED.LineDelEnd(); }
void TTarnEditX::Op_Clear() { ED.Clear(); }
void TTarnEditX::Op_CopyToClipboard() { ED.CopyToClipboard(); }

// ---- Published properties --------------------------------------------------
Bool TTarnEditX::Get_UndoRec() { return ED.UndoRec; }
void TTarnEditX::Put_UndoRec(Bool v) { ED.UndoRec = v; }
Bool TTarnEditX::Get_FreeCaretMode() { return ED.FreeCaretMode(); }
void TTarnEditX::Put_FreeCaretMode(Bool v) { ED.SetFreeCaretMode(v); }
Bool TTarnEditX::Get_CaretScrollFix() { return ED.CaretScrollFix; }
void TTarnEditX::Put_CaretScrollFix(Bool v) { ED.CaretScrollFix = v; }
Long TTarnEditX::Get_TopMargin() { return ST.TopMargin(); }
void TTarnEditX::Put_TopMargin(Long v) { ST.SetTopMargin(v); }
Long TTarnEditX::Get_LeftMargin() { return ST.LeftMargin(); }
void TTarnEditX::Put_LeftMargin(Long v) { ST.SetLeftMargin(v); }
Byte TTarnEditX::Get_ScrollStep() { return static_cast<Byte>(ST.ScrollStep); }
void TTarnEditX::Put_ScrollStep(Byte v) { ST.ScrollStep = v; }
Byte TTarnEditX::Get_WheelStep() { return static_cast<Byte>(ST.WheelStep); }
void TTarnEditX::Put_WheelStep(Byte v) { ST.WheelStep = v; }
Bool TTarnEditX::Get_CurSetMode() { return ED.CurSetMode; }
void TTarnEditX::Put_CurSetMode(Bool v) { ED.CurSetMode = v; }
Color TTarnEditX::Get_SelColor() { return ST.SelColor; }
void TTarnEditX::Put_SelColor(Color v) { ST.SetSelColor(v.value); }
Color TTarnEditX::Get_CREOFcolor() { return ST.CREOFcolor; }
void TTarnEditX::Put_CREOFcolor(Color v) { ST.SetCREOFcolor(v.value); }
Bool TTarnEditX::Get_ShowRuler() { return ST.ShowRuler(); }
void TTarnEditX::Put_ShowRuler(Bool v) { ST.SetShowRuler(v); }
Bool TTarnEditX::Get_ShowRulerCur() { return ED.ShowRulerCur; }
void TTarnEditX::Put_ShowRulerCur(Bool v) { view_->SetShowRulerCur(v); }
Byte TTarnEditX::Get_RulerCurWidth() { return static_cast<Byte>(ST.RulerCurWidth()); }
void TTarnEditX::Put_RulerCurWidth(Byte v) { ST.SetRulerCurWidth(v); }
Byte TTarnEditX::Get_TabCount() { return static_cast<Byte>(ED.TabCount()); }
void TTarnEditX::Put_TabCount(Byte v) { ED.SetTabCount(v); }
Bool TTarnEditX::Get_ShowEOF() { return ST.ShowEOF; }
void TTarnEditX::Put_ShowEOF(Bool v) { ST.ShowEOF = v; }
Bool TTarnEditX::Get_ShowCR() { return ST.ShowCR; }
void TTarnEditX::Put_ShowCR(Bool v) { ST.ShowCR = v; }
Bool TTarnEditX::Get_ShowDblSpace() { return ST.ShowDblSpace; }
void TTarnEditX::Put_ShowDblSpace(Bool v) { ST.ShowDblSpace = v; }
Bool TTarnEditX::Get_ShowSglSpace() { return ST.ShowSglSpace; }
void TTarnEditX::Put_ShowSglSpace(Bool v) { ST.ShowSglSpace = v; }
Bool TTarnEditX::Get_ShowTAB() { return ST.ShowTAB; }
void TTarnEditX::Put_ShowTAB(Bool v) { ST.ShowTAB = v; }
Long TTarnEditX::Get_UndoBuf() { return ED.UndoBuf; }
void TTarnEditX::Put_UndoBuf(Long v) { ED.UndoBuf = v; }
Long TTarnEditX::Get_LineSpace() { return ST.LineSpace(); }
void TTarnEditX::Put_LineSpace(Long v) { view_->SetLineSpace(v); }
TxLineSizeUnit TTarnEditX::Get_LineSpaceUnit() { return static_cast<TxLineSizeUnit>(ST.LineSpaceUnit); }
void TTarnEditX::Put_LineSpaceUnit(TxLineSizeUnit v) {
    ST.LineSpaceUnit = static_cast<tarn::view::TxLineSpaceUnit>(Checked<TxLineSizeUnit>(v, 1, u"LineSpaceUnit"));
}
Bool TTarnEditX::Get_ShowUnderLine() { return ST.ShowUnderLine; }
void TTarnEditX::Put_ShowUnderLine(Bool v) { ST.ShowUnderLine = v; }
Bool TTarnEditX::Get_AutoIndent() { return ED.AutoIndent; }
void TTarnEditX::Put_AutoIndent(Bool v) { ED.AutoIndent = v; }
TxBorderStyle TTarnEditX::Get_BorderStyle() { return border_; }
void TTarnEditX::Put_BorderStyle(TxBorderStyle v) { border_ = Checked<TxBorderStyle>(v, 1, u"BorderStyle"); }
Color TTarnEditX::Get_Color() { return ST.Color(); }
void TTarnEditX::Put_Color(Color v) { view_->SetColor(v.value); }
FontDisp TTarnEditX::Get_Font() { return MakeFontObject(*view_); }
void TTarnEditX::Put_Font(FontDisp f) { CopyFontInto(f.Get(), *view_); }
void TTarnEditX::PutRef_Font(FontDisp f) { CopyFontInto(f.Get(), *view_); }
Bool TTarnEditX::Get_ReadOnly() { return ED.ReadOnly; }
void TTarnEditX::Put_ReadOnly(Bool v) { ED.ReadOnly = v; }
Bool TTarnEditX::Get_HorzScrollBar() { return ST.HorzScrollBar; }
void TTarnEditX::Put_HorzScrollBar(Bool v) { view_->SetHorzScrollBar(v); }
Bool TTarnEditX::Get_VertScrollBar() { return ST.VertScrollBar; }
void TTarnEditX::Put_VertScrollBar(Bool v) { view_->SetVertScrollBar(v); }
Bool TTarnEditX::Get_WordWrap() { return ED.WordWrap(); }
void TTarnEditX::Put_WordWrap(Bool v) { ED.PutWordWrap(v); }
Bool TTarnEditX::Get_AutoWrap() { return ED.AutoWrap; }
void TTarnEditX::Put_AutoWrap(Bool v) { ED.AutoWrap = v; }
Long TTarnEditX::Get_Column() { return ED.Column(); }
void TTarnEditX::Put_Column(Long v) { ED.SetColumn(v); }
Bstr TTarnEditX::Get_QuotMarkStr() { return W(ST.QuotMarkStr); }
void TTarnEditX::Put_QuotMarkStr(Bstr v) { ST.QuotMarkStr = B(v); }
Bool TTarnEditX::Get_ColorPrintF() { return ST.ColorPrintF; }
void TTarnEditX::Put_ColorPrintF(Bool v) { ST.ColorPrintF = v; }
Color TTarnEditX::Get_URLColor() { return ST.URLColor; }
void TTarnEditX::Put_URLColor(Color v) { ST.SetURLColor(v.value); }
Color TTarnEditX::Get_QuotMarkColor() { return ST.QuotMarkColor; }
void TTarnEditX::Put_QuotMarkColor(Color v) { ST.SetQuotMarkColor(v.value); }
Color TTarnEditX::Get_UlineColor() { return ST.UlineColor; }
void TTarnEditX::Put_UlineColor(Color v) { ST.SetUlineColor(v.value); }
Color TTarnEditX::Get_RulerColor() { return ST.RulerColor; }
void TTarnEditX::Put_RulerColor(Color v) { ST.SetRulerColor(v.value); }
Color TTarnEditX::Get_RulerCurColor() { return ST.RulerCurColor; }
void TTarnEditX::Put_RulerCurColor(Color v) { ST.SetRulerCurColor(v.value); }
Bstr TTarnEditX::Get_Version() { return version_; }
void TTarnEditX::Put_Version(Bstr v) { version_ = std::move(v); }
Bool TTarnEditX::Get_ShowLineNumber() { return ST.ShowLineNumber; }
void TTarnEditX::Put_ShowLineNumber(Bool v) { ST.ShowLineNumber = v; }
Byte TTarnEditX::Get_LineNoColumn() { return static_cast<Byte>(ST.LineNoColumn()); }
void TTarnEditX::Put_LineNoColumn(Byte v) { ST.SetLineNoColumn(v); }
Bool TTarnEditX::Get_SingleByteMode() { return ED.SingleByteMode; }
void TTarnEditX::Put_SingleByteMode(Bool v) { ED.SingleByteMode = v; }
Short TTarnEditX::Get_DragCursor() { return static_cast<Short>(ED.DragCursor); }
void TTarnEditX::Put_DragCursor(Short v) { ED.DragCursor = v; }
Bool TTarnEditX::Get_BoxSelMode() { return ED.BoxSelMode(); }
void TTarnEditX::Put_BoxSelMode(Bool v) { ED.SetBoxSelMode(v); }
Bool TTarnEditX::Get_BoxColumFix() { return ED.BoxColumFix; }
void TTarnEditX::Put_BoxColumFix(Bool v) { ED.BoxColumFix = v; }
Bool TTarnEditX::Get_Ctl3D() { return ctl3d_; }
void TTarnEditX::Put_Ctl3D(Bool v) { ctl3d_ = v; }
Bool TTarnEditX::Get_Enabled() { return view_->isEnabled(); }
void TTarnEditX::Put_Enabled(Bool v) { view_->setEnabled(v); }
// Visible unless hidden on purpose: a window not yet placed by its host
// counts as visible.
Bool TTarnEditX::Get_Visible() { return !(view_->testAttribute(Qt::WA_WState_ExplicitShowHide) && view_->isHidden()); }
void TTarnEditX::Put_Visible(Bool v) { view_->setVisible(v); }
Bool TTarnEditX::Get_DoubleBuffered() { return ST.DoubleBuffered; }
void TTarnEditX::Put_DoubleBuffered(Bool v) { ST.DoubleBuffered = v; }

// ---- Members of the generic windowed control --------------------------------
Bool TTarnEditX::Get_AlignDisabled() { return false; }
Long TTarnEditX::Get_VisibleDockClientCount() { return 0; }
Long TTarnEditX::Op_DrawTextBiDiModeFlagsReadingOnly() { return 0; }  // left-to-right reading: no flags
void TTarnEditX::Op_InitiateAction() {}  // the control has no action link to update
Bool TTarnEditX::Op_IsRightToLeft() { return false; }
Bool TTarnEditX::Op_UseRightToLeftReading() { return false; }
Bool TTarnEditX::Op_UseRightToLeftScrollBar() { return false; }
void TTarnEditX::Op_SetSubComponent(Bool v) { subComponent_ = v; }

// ---- Raw line access -------------------------------------------------------
Long TTarnEditX::Get_AxLinesCount() { return ED.AxLinesCount(); }
void TTarnEditX::Op_AxClearLines() { ED.AxClearLines(); }
void TTarnEditX::Op_AxInsertLine(Long i, const Bstr& s) { ED.AxInsertLine(i, B(s)); }
Long TTarnEditX::Op_AxAddLine(const Bstr& s) { return ED.AxAddLine(B(s)); }
void TTarnEditX::Op_AxDeleteLine(Long i) { ED.AxDeleteLine(i); }
Bstr TTarnEditX::Op_AxGetLines(Long i) { return W(ED.AxGetLines(i)); }
Long TTarnEditX::Get_VertScrollLimit() { return ED.VertScrollLimit(); }
void TTarnEditX::Put_VertScrollLimit(Long v) { view_->SetVertScrollLimit(v); }
Color TTarnEditX::Get_AxFontColor() { return ST.Font().Color; }
void TTarnEditX::Put_AxFontColor(Color v) {
    tarn::view::TFontSpec f = ST.Font();
    f.Color = v.value;
    const bool parent = ST.ParentFont;
    ST.SetFont(f);
    ST.ParentFont = parent;
}

#undef ED
#undef ST

}  // namespace tarnedit
