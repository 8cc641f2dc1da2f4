// Reading a persisted property stream into its ordered (name, value) list.
// The input is untrusted: any malformed stream gives an error, and nothing
// is allocated beyond the size of the input.
#pragma once

#include "control/activex/persist/stream_error.h"
#include "control/activex/persist/value.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarn::persist {

struct ReadResult {
    std::string component_name;
    PropertyList properties;          // empty when error is set
    std::optional<StreamError> error;

    bool ok() const noexcept { return !error.has_value(); }
};

// The stream must be exactly one stream of the control's class: data after
// its end, child components or a value type without a known layout make
// the whole stream fail, so a caller never applies half of a damaged set.
ReadResult ReadStream(std::string_view bytes);

}  // namespace tarn::persist
