// The host's form data keeps each control's stream behind its byte length,
// a 32-bit little-endian integer.
#pragma once

#include "control/activex/persist/stream_error.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarn::persist {

// The prefix followed by the stream; fails only for a stream of 4 GiB or more.
std::optional<std::string> AddLengthPrefix(std::string_view stream);

struct PrefixedStream {
    std::string_view stream;  // a view into the data given
    std::size_t consumed = 0; // prefix plus stream, so the next record can follow
    std::optional<StreamError> error;

    bool ok() const noexcept { return !error.has_value(); }
};

// Splits one prefixed stream off the front of data; bytes after it are left
// for the caller. A length that claims more than data holds is an error.
PrefixedStream SplitLengthPrefix(std::string_view data);

}  // namespace tarn::persist
