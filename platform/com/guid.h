// Class and interface identities. The textual form is the registry's:
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", upper-case hexadecimal.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::com {

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
    friend constexpr auto operator<=>(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;

inline constexpr GUID GUID_NULL{};

// Accepts the braced form, and the bare 36-character form; case-insensitive.
std::optional<GUID> ParseGuid(std::string_view text) noexcept;
std::optional<GUID> ParseGuid(std::u16string_view text) noexcept;

std::string FormatGuid(const GUID& g);
std::u16string FormatGuidU16(const GUID& g);

std::size_t HashGuid(const GUID& g) noexcept;

struct GuidHash {
    std::size_t operator()(const GUID& g) const noexcept { return HashGuid(g); }
};

}  // namespace platform::com

template <>
struct std::hash<platform::com::GUID> {
    std::size_t operator()(const platform::com::GUID& g) const noexcept { return platform::com::HashGuid(g); }
};
