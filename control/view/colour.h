// Colours are Windows colour values (0x00BBGGRR) everywhere in the control;
// only the drawing call turns one into a toolkit colour.
#pragma once

#include <QColor>
#include <cstdint>

namespace tarn::view {

using Colour = std::uint32_t;

// A system colour index (0x80000000 | index) becomes the plain value of
// that system colour; a plain value keeps its low three bytes.
Colour ResolveColour(std::uint32_t value) noexcept;

inline QColor ToQColor(Colour c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace tarn::view
