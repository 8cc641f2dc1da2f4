// The markup rewriting of the preview: what a handset of the emulated
// generation does not honour is cut from the page (style sheets, scripts,
// frames, most inline style properties) and pictograph references become
// small pictures a desktop browser can draw. Plain text substitutions on
// the whole page, in a fixed order: later rules see what earlier ones left.
#pragma once

#include <QString>

namespace quenby::preview {

// The scheme and host part of an address: everything before the first "/"
// (a backslash counts as one) at or after its ninth character, or all of it.
QString UrlRoot(const QString& url);

// Removes the declarations of one property from a style attribute's text
// while they end with unitSuffix (an empty suffix always matches).
QString RemoveStyleProperty(const QString& style, const QString& property, const QString& unitSuffix);

// The whole rewriting; pictographs (references and raw ones alike) point
// into programFolder's "image" folder.
QString HTMLConv(const QString& text, const QString& programFolder);

// The decimal Shift_JIS code of basic pictograph n (1..166), 0 outside:
// the numbering the handsets use, shared with the code page.
int PictographCode(int n);

}  // namespace quenby::preview
