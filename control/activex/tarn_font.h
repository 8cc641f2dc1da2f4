// The Font property's object: a font dispatch object bound to the editor's
// font record, with the font object's standard DISPIDs (Name 0, Size 2,
// Bold 3, Italic 4, Underline 5, Strikethrough 6, Charset 8). Size is in
// whole points. The editor draws neither weight nor slant, so those read
// False and writes to them are kept by the object only.
#pragma once

#include "platform/com/dispatch.h"
#include "platform/com/comptr.h"

namespace tarn::view {
class TTarnEditView;
}

namespace tarnedit {

inline constexpr platform::com::DISPID kFontName = 0, kFontSize = 2, kFontBold = 3, kFontItalic = 4,
                                       kFontUnderline = 5, kFontStrikethrough = 6, kFontCharset = 8;

// The object holds a weak tie: it must not outlive the window it was got
// from (hosts use it at once, as the design's hosts do).
platform::com::ComPtr<platform::com::IDispatch> MakeFontObject(tarn::view::TTarnEditView& view);
// Copies Name and Size from any font dispatch object into the editor's font.
void CopyFontInto(platform::com::IDispatch* font, tarn::view::TTarnEditView& view);

}  // namespace tarnedit
