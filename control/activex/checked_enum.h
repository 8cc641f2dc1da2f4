// An enumeration arriving from a host as a long: values the type does not
// have are refused rather than stored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/error_guard.h"
#include "tarnedit/tarn_edit_x.h"

namespace tarnedit {

template <class E>
E Checked(std::int32_t v, std::int32_t last, std::u16string_view what) {
    if (v < 0 || v > last) throw com::ComError(com::E_INVALIDARG, std::u16string(what) + u": value out of range");
    return static_cast<E>(v);
}

}  // namespace tarnedit
