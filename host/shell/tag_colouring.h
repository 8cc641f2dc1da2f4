// HTML tag colouring of the editor window. While the control paints a
// stretch of rows it asks the window to colour them; the window finds the
// tags of its lists on each row and paints them over the plain text with the
// control's SetTxtColor2. The finding is kept apart from the control so that
// it can be tested (and measured) on plain strings.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "host/shell/app_settings.h"

namespace quenby {
class ControlHost;
}

namespace quenby::shell {

// One stretch to paint: x is the 0-based byte column in the row as the
// control stores it (Shift_JIS), y the row, length a count the control
// takes as bytes, colour 0x00BBGGRR.
struct ColourRun {
    int x = 0;
    int y = 0;
    int length = 0;
    std::uint32_t colour = 0;
    friend bool operator==(const ColourRun&, const ColourRun&) = default;
};

struct TagColours {
    std::uint32_t tag = 0;        // a tag of the tag list
    std::uint32_t attribute = 0;  // an attribute name of its entry, with its "="
    std::uint32_t comment = 0;    // a tag matching a comment pattern
};

// The runs for rows first..last, in the order they are to be painted (a
// later run paints over an earlier one). row(i) gives a stored row as the
// control's AxGetLines returns it (with its line ending). The lists are
// those AppSettings keeps: upper-cased entries "NAME ATTR ATTR..." and
// patterns such as "<!--*-->". Rows are read once each; nothing is kept
// between calls but the parsed lists.
std::vector<ColourRun> ColourTags(int first, int last, const std::function<QString(int)>& row,
                                  const QStringList& htmlTagList, const QStringList& commentTagList,
                                  const TagColours& colours);

// The window's answer to the control's OnUserClientDraw: the runs of rows
// l1..l2 (clamped to the control's rows) painted with SetTxtColor2 on the
// control's background colour, without underline, inside the event's clip
// rectangle. A run the control refuses is skipped; the others still go.
void ApplyTagColouring(ControlHost& control, const AppSettings& settings, int l1, int l2, int dx1, int dy1, int dx2,
                       int dy2);

}  // namespace quenby::shell
