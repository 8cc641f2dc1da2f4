#include "control/activex/persist/name_table.h"

namespace tarn::persist {
namespace {
constexpr char Lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool SameIdentifier(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::optional<std::int64_t> NumberOfName(std::span<const NamedNumber> table, std::string_view name) noexcept {
    for (const NamedNumber& e : table)
        if (SameIdentifier(e.name, name)) return e.number;
    return std::nullopt;
}

std::optional<std::string_view> NameOfNumber(std::span<const NamedNumber> table, std::int64_t number) noexcept {
    for (const NamedNumber& e : table)
        if (e.number == number) return e.name;
    return std::nullopt;
}

}  // namespace tarn::persist
