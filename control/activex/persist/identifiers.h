// The named values that colour, cursor and character-set properties are
// stored as. A value without a name is stored as a plain integer instead.
#pragma once

#include "control/activex/persist/name_table.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarn::persist {

// Colours are 0x00BBGGRR, or 0x80000000 + a system colour index.
std::span<const NamedNumber> ColourNames() noexcept;
// Screen cursor indexes: crDefault 0, crIBeam -4, ...
std::span<const NamedNumber> CursorNames() noexcept;
// Font character sets: DEFAULT_CHARSET 1, SHIFTJIS_CHARSET 128, ...
std::span<const NamedNumber> CharsetNames() noexcept;

inline constexpr std::uint32_t kSystemColourBit = 0x80000000u;

}  // namespace tarn::persist
