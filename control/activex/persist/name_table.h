// A fixed list of (identifier, number) pairs looked up both ways. Where two
// names share a number the first listed is the one written; the others are
// only read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarn::persist {

struct NamedNumber {
    std::string_view name;
    std::int64_t number;
};

// Identifiers are matched ignoring ASCII case, so a hand-edited stream
// with "clwhite" still loads.
bool SameIdentifier(std::string_view a, std::string_view b) noexcept;

std::optional<std::int64_t> NumberOfName(std::span<const NamedNumber> table, std::string_view name) noexcept;
std::optional<std::string_view> NameOfNumber(std::span<const NamedNumber> table, std::int64_t number) noexcept;

}  // namespace tarn::persist
