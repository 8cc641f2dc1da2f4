// The published display settings of the control with their defaults and
// the limits applied when they are set. Writing a setting changes no pixel:
// the host follows with ReDesign or RefreshLine (Color apart, whose setter
// on the widget repaints).
#pragma once

#include <algorithm>
#include <string>

#include "control/view/colour.h"

namespace tarn::view {

enum class TxLineSpaceUnit { uPercent = 0, uPixel = 1 };

// The text font as the host gives it: the face name is kept as stored even
// when this machine lacks it (the drawing font substitutes).
struct TFontSpec {
    std::string Name = "FixedSys";  // CP932 bytes
    int Size = 14;                  // points
    Colour Color = 0;
    // The font's height in pixels, negative as fonts given by size are
    // (96 pixels to the inch).
    // Sizes are kept to what a screen font can be (1..1000 points).
    int Height() const noexcept { return -((std::clamp(Size, 1, 1000) * 96 + 36) / 72); }
    void SetHeight(int h) noexcept {
        const long long px = h < 0 ? -static_cast<long long>(h) : h;
        Size = static_cast<int>((std::min(px, 1333LL) * 72 + 48) / 96);
    }
    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

class TViewSettings {
public:
    // Colours (stored resolved, see ResolveColour).
    Colour Color() const noexcept { return color_; }
    Colour SelColor = 0;
    Colour CREOFcolor = 0x808000;
    Colour URLColor = 0xFF0000;
    Colour QuotMarkColor = 0x808080;
    Colour UlineColor = 0;
    Colour RulerColor = 0;
    Colour RulerCurColor = 0;
    void SetSelColor(std::uint32_t c) noexcept { SelColor = ResolveColour(c); }
    void SetCREOFcolor(std::uint32_t c) noexcept { CREOFcolor = ResolveColour(c); }
    void SetURLColor(std::uint32_t c) noexcept { URLColor = ResolveColour(c); }
    void SetQuotMarkColor(std::uint32_t c) noexcept { QuotMarkColor = ResolveColour(c); }
    void SetUlineColor(std::uint32_t c) noexcept { UlineColor = ResolveColour(c); }
    void SetRulerColor(std::uint32_t c) noexcept { RulerColor = ResolveColour(c); }
    void SetRulerCurColor(std::uint32_t c) noexcept { RulerCurColor = ResolveColour(c); }

    const TFontSpec& Font() const noexcept { return font_; }
    void SetFont(TFontSpec f) noexcept {
        f.Color = ResolveColour(f.Color);
        font_ = std::move(f);
        ParentFont = false;
    }
    bool ParentFont = false;

    // Marks and colouring.
    bool ShowCR = true;
    bool ShowEOF = true;
    bool ShowTAB = false;
    bool ShowSglSpace = false;
    bool ShowDblSpace = true;
    bool ShowUnderLine = false;
    bool ColorPrintF = true;
    std::string QuotMarkStr = ">";  // CP932 bytes
    bool DoubleBuffered = false;

    // Row pitch.
    int LineSpace() const noexcept { return lineSpace_; }
    void SetLineSpace(int v) noexcept { lineSpace_ = std::clamp(v, 0, 100); }
    TxLineSpaceUnit LineSpaceUnit = TxLineSpaceUnit::uPercent;

    // Margins, ruler, gutter.
    int TopMargin() const noexcept { return topMargin_; }
    void SetTopMargin(int v) noexcept { topMargin_ = std::clamp(v, 0, 30); }
    int LeftMargin() const noexcept { return leftMargin_; }
    void SetLeftMargin(int v) noexcept { leftMargin_ = std::clamp(v, 0, 30); }
    bool ShowRuler() const noexcept { return showRuler_; }
    void SetShowRuler(bool v) noexcept {
        showRuler_ = v;
        if (v) topMargin_ = std::max(topMargin_, 11);
    }
    // The ruler cursor flag itself lives in the editor; this raises the band.
    void RaiseTopMarginForRulerCursor() noexcept { topMargin_ = std::max(topMargin_, 11); }
    int RulerCurWidth() const noexcept { return rulerCurWidth_; }
    void SetRulerCurWidth(int v) noexcept { rulerCurWidth_ = std::clamp(v, 0, 7); }
    bool ShowLineNumber = false;
    int LineNoColumn() const noexcept { return lineNoColumn_; }
    void SetLineNoColumn(int v) noexcept { lineNoColumn_ = std::clamp(v, 1, 5); }

    // Scrolling.
    int ScrollStep = 2;
    int WheelStep = 2;
    bool VertScrollBar = true;
    bool HorzScrollBar = false;

protected:
    friend class TTarnEditView;
    Colour color_ = 0xFFFFFF;

private:
    TFontSpec font_;
    int lineSpace_ = 10;
    int topMargin_ = 4;
    int leftMargin_ = 10;
    bool showRuler_ = false;
    int rulerCurWidth_ = 5;
    int lineNoColumn_ = 5;
};

}  // namespace tarn::view
