// The input method as the control uses it: the few calls it makes on its
// window's input context, with Windows' own numbers for their arguments.
// The widget holds one of these; the toolkit's input method stands behind
// the real one, and tests put a recording one in its place.
#pragma once

#include <QFont>
#include <string_view>

namespace tarn::view {

// Notifications (NotifyIME action and index).
inline constexpr unsigned NI_OPENCANDIDATE = 0x0010;
inline constexpr unsigned NI_COMPOSITIONSTR = 0x0015;
inline constexpr unsigned CPS_COMPLETE = 0x0001;
inline constexpr unsigned CPS_CONVERT = 0x0002;
inline constexpr unsigned CPS_CANCEL = 0x0004;
// SetCompositionString index: set the composition (and its reading).
inline constexpr unsigned SCS_SETSTR = 0x0009;
// Conversion mode bit that turns conversion off.
inline constexpr unsigned IME_CMODE_NOCONVERSION = 0x0100;
// Composition window style: at a point.
inline constexpr unsigned CFS_POINT = 0x0002;
// WM_IME_COMPOSITION lParam bit: a result string is ready.
inline constexpr unsigned GCS_RESULTSTR = 0x0800;
// WM_IME_REQUEST wParam: the input method asks for text to reconvert.
inline constexpr unsigned IMR_RECONVERTSTRING = 0x0004;

struct TCompositionWindow {
    unsigned style = CFS_POINT;
    int x = 0;  // client coordinates
    int y = 0;
};

class TInputContext {
public:
    virtual ~TInputContext() = default;

    virtual bool GetConversionStatus(unsigned& conversion, unsigned& sentence) = 0;
    virtual bool SetConversionStatus(unsigned conversion, unsigned sentence) = 0;
    virtual bool GetOpenStatus() = 0;
    virtual bool SetOpenStatus(bool open) = 0;
    // The composition text in CP932 (index SCS_SETSTR).
    virtual bool SetCompositionString(unsigned index, std::string_view composition) = 0;
    virtual bool NotifyIME(unsigned action, unsigned index, unsigned value) = 0;
    virtual bool SetCompositionFont(const QFont& font) = 0;
    virtual bool SetCompositionWindow(const TCompositionWindow& form) = 0;
    // The input method's own window should show its new state.
    virtual void UpdateDefaultWindow() {}
};

}  // namespace tarn::view
