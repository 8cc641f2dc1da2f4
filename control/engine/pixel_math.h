// Pixel and column arithmetic that cannot overflow. Columns come from the
// host (a Column of 999999999 is an ordinary setting: "never wrap, or wrap
// at the window") and are multiplied by font widths; lines can be longer
// than any window is wide. Every width the control computes is therefore
// kept within kMaxPixels: no window is that wide, so a value beyond it
// changes nothing on screen, and the sum or difference of two such values
// (a width plus a scroll offset or a step) still fits an int.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tarn {

inline constexpr int kMaxPixels = 1 << 30;

// v clamped to [-kMaxPixels, kMaxPixels].
constexpr int ClampPixels(std::int64_t v) noexcept {
    return static_cast<int>(std::clamp<std::int64_t>(v, -kMaxPixels, kMaxPixels));
}

// count units of width pixels each.
constexpr int PixelsOf(std::int64_t count, std::int64_t width) noexcept {
    // Both factors are far below 2^32 here, so the product fits 64 bits.
    return ClampPixels(std::clamp<std::int64_t>(count, -INT_MAX, INT_MAX) *
                       std::clamp<std::int64_t>(width, -INT_MAX, INT_MAX));
}

// An int result of a 64-bit computation, saturated at the int range.
constexpr int SaturateInt(std::int64_t v) noexcept {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

}  // namespace tarn
