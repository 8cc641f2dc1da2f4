#include "control/activex/persist/identifiers.h"

#include <array>

namespace tarn::persist {
namespace {

constexpr std::int64_t Sys(std::int64_t index) { return kSystemColourBit + index; }

constexpr std::array kColours{
    NamedNumber{"clBlack", 0x000000},
    NamedNumber{"clMaroon", 0x000080},
    NamedNumber{"clGreen", 0x008000},
    NamedNumber{"clOlive", 0x008080},
    NamedNumber{"clNavy", 0x800000},
    NamedNumber{"clPurple", 0x800080},
    NamedNumber{"clTeal", 0x808000},
    NamedNumber{"clGray", 0x808080},
    NamedNumber{"clSilver", 0xC0C0C0},
    NamedNumber{"clRed", 0x0000FF},
    NamedNumber{"clLime", 0x00FF00},
    NamedNumber{"clYellow", 0x00FFFF},
    NamedNumber{"clBlue", 0xFF0000},
    NamedNumber{"clFuchsia", 0xFF00FF},
    NamedNumber{"clAqua", 0xFFFF00},
    NamedNumber{"clWhite", 0xFFFFFF},
    NamedNumber{"clMoneyGreen", 0xC0DCC0},
    NamedNumber{"clSkyBlue", 0xF0CAA6},
    NamedNumber{"clCream", 0xF0FBFF},
    NamedNumber{"clMedGray", 0xA4A0A0},
    NamedNumber{"clNone", 0x1FFFFFFF},
    NamedNumber{"clDefault", 0x20000000},
    // System colours: the high bit and the system colour index.
    NamedNumber{"clScrollBar", Sys(0)},
    NamedNumber{"clBackground", Sys(1)},
    NamedNumber{"clActiveCaption", Sys(2)},
    NamedNumber{"clInactiveCaption", Sys(3)},
    NamedNumber{"clMenu", Sys(4)},
    NamedNumber{"clWindow", Sys(5)},
    NamedNumber{"clWindowFrame", Sys(6)},
    NamedNumber{"clMenuText", Sys(7)},
    NamedNumber{"clWindowText", Sys(8)},
    NamedNumber{"clCaptionText", Sys(9)},
    NamedNumber{"clActiveBorder", Sys(10)},
    NamedNumber{"clInactiveBorder", Sys(11)},
    NamedNumber{"clAppWorkSpace", Sys(12)},
    NamedNumber{"clHighlight", Sys(13)},
    NamedNumber{"clHighlightText", Sys(14)},
    NamedNumber{"clBtnFace", Sys(15)},
    NamedNumber{"clBtnShadow", Sys(16)},
    NamedNumber{"clGrayText", Sys(17)},
    NamedNumber{"clBtnText", Sys(18)},
    NamedNumber{"clInactiveCaptionText", Sys(19)},
    NamedNumber{"clBtnHighlight", Sys(20)},
    NamedNumber{"cl3DDkShadow", Sys(21)},
    NamedNumber{"cl3DLight", Sys(22)},
    NamedNumber{"clInfoText", Sys(23)},
    NamedNumber{"clInfoBk", Sys(24)},
    NamedNumber{"clHotLight", Sys(26)},
    NamedNumber{"clGradientActiveCaption", Sys(27)},
    NamedNumber{"clGradientInactiveCaption", Sys(28)},
    NamedNumber{"clMenuHighlight", Sys(29)},
    NamedNumber{"clMenuBar", Sys(30)},
    // Read-only aliases: the names above are the ones written.
    NamedNumber{"clLtGray", 0xC0C0C0},
    NamedNumber{"clDkGray", 0x808080},
};

constexpr std::array kCursors{
    NamedNumber{"crDefault", 0},      NamedNumber{"crNone", -1},      NamedNumber{"crArrow", -2},
    NamedNumber{"crCross", -3},       NamedNumber{"crIBeam", -4},     NamedNumber{"crSizeNESW", -6},
    NamedNumber{"crSizeNS", -7},      NamedNumber{"crSizeNWSE", -8},  NamedNumber{"crSizeWE", -9},
    NamedNumber{"crUpArrow", -10},    NamedNumber{"crHourGlass", -11}, NamedNumber{"crDrag", -12},
    NamedNumber{"crNoDrop", -13},     NamedNumber{"crHSplit", -14},   NamedNumber{"crVSplit", -15},
    NamedNumber{"crMultiDrag", -16},  NamedNumber{"crSQLWait", -17},  NamedNumber{"crNo", -18},
    NamedNumber{"crAppStart", -19},   NamedNumber{"crHelp", -20},     NamedNumber{"crHandPoint", -21},
    NamedNumber{"crSizeAll", -22},
};

constexpr std::array kCharsets{
    NamedNumber{"ANSI_CHARSET", 0},         NamedNumber{"DEFAULT_CHARSET", 1},
    NamedNumber{"SYMBOL_CHARSET", 2},       NamedNumber{"MAC_CHARSET", 77},
    NamedNumber{"SHIFTJIS_CHARSET", 128},   NamedNumber{"HANGEUL_CHARSET", 129},
    NamedNumber{"JOHAB_CHARSET", 130},      NamedNumber{"GB2312_CHARSET", 134},
    NamedNumber{"CHINESEBIG5_CHARSET", 136}, NamedNumber{"GREEK_CHARSET", 161},
    NamedNumber{"TURKISH_CHARSET", 162},    NamedNumber{"VIETNAMESE_CHARSET", 163},
    NamedNumber{"HEBREW_CHARSET", 177},     NamedNumber{"ARABIC_CHARSET", 178},
    NamedNumber{"BALTIC_CHARSET", 186},     NamedNumber{"RUSSIAN_CHARSET", 204},
    NamedNumber{"THAI_CHARSET", 222},       NamedNumber{"EASTEUROPE_CHARSET", 238},
    NamedNumber{"OEM_CHARSET", 255},
};

}  // namespace

std::span<const NamedNumber> ColourNames() noexcept { return kColours; }
std::span<const NamedNumber> CursorNames() noexcept { return kCursors; }
std::span<const NamedNumber> CharsetNames() noexcept { return kCharsets; }

}  // namespace tarn::persist
