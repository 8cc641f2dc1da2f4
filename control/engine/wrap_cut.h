// Where word wrap cuts a line. The widths come from a WrapMeasure, so that
// a fixed-pitch font is measured by arithmetic and any other font through
// the view, both by the same search and so at the same places.
#pragma once

#include <string_view>

namespace tarn {

class WrapMeasure {
public:
    virtual ~WrapMeasure() = default;
    // Width of the bytes as they are.
    virtual int Raw(std::string_view bytes) const = 0;
    // Width of the bytes with their tabs expanded.
    virtual int Expanded(std::string_view bytes) const = 0;
    // Raw(bytes) > limit; may look at a prefix only, widths never shrink
    // as bytes are added.
    virtual bool RawExceeds(std::string_view bytes, int limit) const;
};

struct WrapWidths {
    int wrap = 0;     // the wrap width
    int minimum = 0;  // ten average characters
    int client = 0;   // the text area
    int fontWidth = 0;
};

// Bytes of s (a stored line or what is left of one, ending included) that
// go on one row.
int CutLength(std::string_view s, const WrapWidths& w, const WrapMeasure& m);

// Cuts one text line into rows, calling emit(segment, last) for each: all
// but the last are wrap segments, the last keeps the line's ending. A cut
// never splits a double-byte character or a CR LF, never leaves the NUL of
// the document behind, and always takes at least one character.
template <class Emit>
void WrapTextLine(std::string_view r, const WrapWidths& w, const WrapMeasure& m, bool singleByte, Emit&& sink);

// How many bytes of the front of r the next wrap segment takes, or 0 when
// all of r is the last row.
int NextCut(std::string_view r, const WrapWidths& w, const WrapMeasure& m, bool singleByte);

template <class Emit>
void WrapTextLine(std::string_view r, const WrapWidths& w, const WrapMeasure& m, bool singleByte, Emit&& sink) {
    for (;;) {
        const int b = NextCut(r, w, m, singleByte);
        if (b <= 0) {
            sink(r, true);
            return;
        }
        sink(r.substr(0, static_cast<std::size_t>(b)), false);
        r.remove_prefix(static_cast<std::size_t>(b));
    }
}

}  // namespace tarn
