// Result codes with the numeric values Windows gives them, so that a host
// comparing against a documented code, or printing one for a bug report,
// sees the familiar number.
#pragma once

#include <cstdint>

namespace platform::com {

using HRESULT = std::int32_t;

namespace detail {
constexpr HRESULT Code(std::uint32_t bits) noexcept { return static_cast<HRESULT>(bits); }
}  // namespace detail

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

inline constexpr HRESULT E_NOTIMPL = detail::Code(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = detail::Code(0x80004002);
inline constexpr HRESULT E_POINTER = detail::Code(0x80004003);
inline constexpr HRESULT E_ABORT = detail::Code(0x80004004);
inline constexpr HRESULT E_FAIL = detail::Code(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = detail::Code(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = detail::Code(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = detail::Code(0x80070057);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = detail::Code(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = detail::Code(0x80040111);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = detail::Code(0x80040154);
inline constexpr HRESULT CO_E_CLASSSTRING = detail::Code(0x800401F3);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = detail::Code(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = detail::Code(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = detail::Code(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = detail::Code(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = detail::Code(0x80020006);
inline constexpr HRESULT DISP_E_NONAMEDARGS = detail::Code(0x80020007);
inline constexpr HRESULT DISP_E_BADVARTYPE = detail::Code(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = detail::Code(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = detail::Code(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = detail::Code(0x8002000B);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = detail::Code(0x8002000E);

inline constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = detail::Code(0x8002802B);

inline constexpr HRESULT CONNECT_E_NOCONNECTION = detail::Code(0x80040200);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = detail::Code(0x80040201);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = detail::Code(0x80040202);

// Loader failures are Win32 errors wrapped as HRESULTs (facility 7), as the
// system reports a missing module or a missing entry point.
constexpr HRESULT HRESULT_FROM_WIN32(std::uint32_t error) noexcept {
    return error == 0 ? S_OK : detail::Code((error & 0xFFFF) | 0x80070000);
}
inline constexpr std::uint32_t ERROR_MOD_NOT_FOUND = 126;
inline constexpr std::uint32_t ERROR_PROC_NOT_FOUND = 127;

constexpr bool SUCCEEDED(HRESULT hr) noexcept { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) noexcept { return hr < 0; }

}  // namespace platform::com
