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

// Value types read: 8-, 16- and 32-bit integers (any of them for any
// integer, whatever width the writer would pick), short string, identifier,
// false, true, set, wide string, and the long string that the control
// itself writes only for a string too long for a short one. Any other type
// byte has no layout the loader could step over, so reading stops there
// with UnknownValueType rather than guessing; skipping happens one level
// up, where a readable entry with an unknown name or an unsuitable value is
// passed over (see ApplyProperties).
//
// The stream must be exactly one stream of the control's class: data after
// its end, child components or an unknown value type make the whole stream
// fail, so a caller never applies half of a damaged set.
ReadResult ReadStream(std::string_view bytes);

}  // namespace tarn::persist
