// The small automation value types and the dispatch constants, with
// Windows' numeric values: hosts store and compare these numbers.
#pragma once

#include <cstdint>
#include <string>

namespace platform::com {

using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using DISPID = std::int32_t;

// An automation string. Null and empty are the same here: hosts cannot tell
// them apart through the dispatch interface either.
using BSTR = std::u16string;

// The automation Boolean: True is all bits set, so that Not True is False in
// the languages hosts are written in.
using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;
constexpr VARIANT_BOOL ToVariantBool(bool b) noexcept { return b ? VARIANT_TRUE : VARIANT_FALSE; }
// Any non-zero value reads as True, as the design's hosts expect.
constexpr bool FromVariantBool(VARIANT_BOOL v) noexcept { return v != VARIANT_FALSE; }

// A colour 0x00BBGGRR, or a system colour index with the high bit set. It is
// its own type only so that the dispatch table can tell a colour from an
// unsigned long: hosts pass colours as signed longs (a system colour is then
// negative), which an unsigned long would refuse as an overflow.
struct OLE_COLOR {
    std::uint32_t value = 0;
    constexpr OLE_COLOR() = default;
    constexpr OLE_COLOR(std::uint32_t v) noexcept : value(v) {}  // NOLINT: a colour is its number
    constexpr operator std::uint32_t() const noexcept { return value; }
};
constexpr OLE_COLOR Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept {
    return OLE_COLOR(static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                     (static_cast<std::uint32_t>(b) << 16));
}

// Invoke flags.
inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;

// Reserved DISPIDs.
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr DISPID DISPID_NEWENUM = -4;
inline constexpr DISPID DISPID_EVALUATE = -5;

// Standard properties of controls.
inline constexpr DISPID DISPID_AUTOSIZE = -500;
inline constexpr DISPID DISPID_BACKCOLOR = -501;
inline constexpr DISPID DISPID_BACKSTYLE = -502;
inline constexpr DISPID DISPID_BORDERCOLOR = -503;
inline constexpr DISPID DISPID_BORDERSTYLE = -504;
inline constexpr DISPID DISPID_BORDERWIDTH = -505;
inline constexpr DISPID DISPID_DRAWMODE = -507;
inline constexpr DISPID DISPID_DRAWSTYLE = -508;
inline constexpr DISPID DISPID_DRAWWIDTH = -509;
inline constexpr DISPID DISPID_FILLCOLOR = -510;
inline constexpr DISPID DISPID_FILLSTYLE = -511;
inline constexpr DISPID DISPID_FONT = -512;
inline constexpr DISPID DISPID_FORECOLOR = -513;
inline constexpr DISPID DISPID_ENABLED = -514;
inline constexpr DISPID DISPID_HWND = -515;
inline constexpr DISPID DISPID_TABSTOP = -516;
inline constexpr DISPID DISPID_TEXT = -517;
inline constexpr DISPID DISPID_CAPTION = -518;
inline constexpr DISPID DISPID_BORDERVISIBLE = -519;
inline constexpr DISPID DISPID_APPEARANCE = -520;
inline constexpr DISPID DISPID_MOUSEPOINTER = -521;
inline constexpr DISPID DISPID_MOUSEICON = -522;
inline constexpr DISPID DISPID_PICTURE = -523;
inline constexpr DISPID DISPID_VALID = -524;
inline constexpr DISPID DISPID_READYSTATE = -525;

// Standard methods and events of controls.
inline constexpr DISPID DISPID_REFRESH = -550;
inline constexpr DISPID DISPID_DOCLICK = -551;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_CLICK = -600;
inline constexpr DISPID DISPID_DBLCLICK = -601;
inline constexpr DISPID DISPID_KEYDOWN = -602;
inline constexpr DISPID DISPID_KEYPRESS = -603;
inline constexpr DISPID DISPID_KEYUP = -604;
inline constexpr DISPID DISPID_MOUSEDOWN = -605;
inline constexpr DISPID DISPID_MOUSEMOVE = -606;
inline constexpr DISPID DISPID_MOUSEUP = -607;
inline constexpr DISPID DISPID_ERROREVENT = -608;
inline constexpr DISPID DISPID_READYSTATECHANGE = -609;

}  // namespace platform::com
