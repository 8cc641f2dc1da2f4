// Writing the control's persisted property stream: signature, class name,
// empty component name, the properties in the order given, and the two end
// markers.
#pragma once

#include "control/activex/persist/stream_error.h"
#include "control/activex/persist/value.h"

#include <optional>
#include <string>

namespace tarn::persist {

struct WriteResult {
    std::string bytes;                // empty when error is set
    std::optional<StreamError> error;

    bool ok() const noexcept { return !error.has_value(); }
};

// Fails, writing nothing, when a name or value cannot be represented: an
// empty property name (it would read as the end of the list), a name,
// identifier or set element longer than a short string, an empty set
// element, or a string too long for a 32-bit count.
WriteResult WriteStream(const PropertyList& properties);

// Appends one type byte and value; used by the stream writer and by tests
// that check single encodings. Returns false when the value is not
// writable, leaving out with a partial value that the caller discards.
bool AppendValue(std::string& out, const Value& value);

}  // namespace tarn::persist
