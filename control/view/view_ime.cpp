// Composition and reconversion through the input context.
#include <QInputMethodEvent>

#include "control/view/preedit_overlay.h"
#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {

namespace msg = platform::messages;

bool TViewInput::InputMethod(QInputMethodEvent* ev) {
    const QString commit = ev->commitString();
    const QString preedit = ev->preeditString();
    TTarnEdit& e = view_.Editor();
    if ((!commit.isEmpty() || !preedit.isEmpty()) && !e.IMEChangingF) view_.WndProc(msg::WM_IME_STARTCOMPOSITION, 0, 0);
    if (!commit.isEmpty()) {
        // Converted at the boundary: what the code page lacks becomes '?'.
        result_ = platform::codepage::ToBytes(commit.toStdU16String());
        ShowPreedit(QString(), 0);
        view_.WndProc(msg::WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
        result_.clear();
    }
    int cursor = static_cast<int>(preedit.size());
    for (const QInputMethodEvent::Attribute& a : ev->attributes())
        if (a.type == QInputMethodEvent::Cursor) cursor = a.start;
    ShowPreedit(preedit, cursor);
    if (preedit.isEmpty() && e.IMEChangingF) view_.WndProc(msg::WM_IME_ENDCOMPOSITION, 0, 0);
    ev->accept();
    return true;
}

std::optional<LRESULT> TViewInput::ImeMessage(UINT m, WPARAM wParam, LPARAM lParam) {
    switch (m) {
        case msg::WM_IME_STARTCOMPOSITION: StartComposition(); return 0;
        case msg::WM_IME_ENDCOMPOSITION: EndComposition(); return 0;
        case msg::WM_IME_COMPOSITION:
            if (static_cast<unsigned>(lParam) & GCS_RESULTSTR) CompositionResult();
            return 0;
        case WM_IME_CHAR: return 0;  // the result came as a whole already
        case msg::WM_IME_REQUEST:
            if (wParam == IMR_RECONVERTSTRING) ReconvertRequest();
            return 0;
        default: return std::nullopt;
    }
}

void TViewInput::StartComposition() {
    TTarnEdit& e = view_.Editor();
    e.IMEChangingF = true;
    if (OnIMEChanging) {
        if (e.CaretScrollFix) BringCaretIntoView();
        OnIMEChanging();
    }
}

void TViewInput::EndComposition() {
    view_.Editor().IMEChangingF = false;
    ShowPreedit(QString(), 0);
    if (OnIMEChanged) OnIMEChanged();
}

void TViewInput::CompositionResult() {
    TTarnEdit& e = view_.Editor();
    if (e.ReadOnly || result_.empty()) return;
    e.TypeText(result_);
}

void TViewInput::CompleteComposition() {
    if (view_.Editor().IMEChangingF && context_) context_->NotifyIME(NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
}

void TViewInput::ShowPreedit(const QString& text, int cursor) {
    preedit_ = text;
    const QFont font = view_.DrawingFont().Font();
    overlay_->Show(text, cursor, font, QPoint(view_.CaretX(), view_.CaretY()));
}

void TViewInput::CaretPlaced() {
    if (!preedit_.isEmpty()) ShowPreedit(preedit_, static_cast<int>(preedit_.size()));
    if (!context_ || !view_.hasFocus()) return;
    if (context_->SetCompositionFont(view_.DrawingFont().Font()))
        context_->SetCompositionWindow({CFS_POINT, view_.CaretX(), view_.CaretY()});
}

void TViewInput::SetImeStatus(unsigned IMEconvmode, unsigned IMEsentmode, bool IMEActiveF) {
    if (!context_) return;
    context_->SetConversionStatus(IMEconvmode, IMEsentmode);
    context_->SetOpenStatus(IMEActiveF);
    context_->UpdateDefaultWindow();
}

bool TViewInput::GetImeStatus(unsigned& IMEconvmode, unsigned& IMEsentmode) {
    IMEconvmode = IMEsentmode = 0;
    if (!context_) return false;
    context_->GetConversionStatus(IMEconvmode, IMEsentmode);
    return context_->GetOpenStatus();
}

void TViewInput::IMEReConvert() { ReconvertRequest(); }

void TViewInput::ReconvertRequest() {
    TTarnEdit& e = view_.Editor();
    if (e.IMEChangingF || !e.SelFlag || e.BoxSelMode()) {
        if (e.CaretScrollFix) BringCaretIntoView();
        return;
    }
    const bool forwards = e.GCurposY < e.CurposY || (e.GCurposY == e.CurposY && e.GCurposX < e.CurposX);
    if (forwards) {
        // The caret goes to the selection's start, where the result lands.
        const TextPos start{e.GCurposX, e.GCurposY};
        e.GCurposX = e.CurposX;
        e.GCurposY = e.CurposY;
        e.MoveCaret(start.X, start.Y, Txmovemode::normal, true, false);
        e.SelEndX = e.PrevSelEndX = e.CurposX;
        e.SelEndY = e.PrevSelEndY = e.CurposY;
        view_.RedrawRows(kRedrawRange, std::min(e.GCurposY, e.SelEndY), std::max(e.GCurposY, e.SelEndY));
    } else if (e.CaretScrollFix) {
        BringCaretIntoView();
    }
    if (IMEReconvMode == imrAuto) IMEReconvertJob(e.SelText());
    else if (OnIMEReConvert) OnIMEReConvert();
}

void TViewInput::IMEReconvertJob(std::string_view Str) {
    if (!reading_) return;
    const std::string reading = reading_(Str);
    if (reading.empty() || !context_) return;
    context_->SetOpenStatus(true);
    unsigned conversion = 0, sentence = 0;
    if (context_->GetConversionStatus(conversion, sentence))
        context_->SetConversionStatus(conversion & ~IME_CMODE_NOCONVERSION, sentence);
    context_->SetCompositionString(SCS_SETSTR, reading);
    context_->NotifyIME(NI_COMPOSITIONSTR, CPS_CONVERT, 0);
    context_->NotifyIME(NI_OPENCANDIDATE, 0, 0);
}

}  // namespace tarn::view
