// Handing a loaded property list to the control's setters in stream order,
// and collecting the control's current settings into a list to save.
#pragma once

#include "control/activex/persist/property_table.h"
#include "control/activex/persist/setting.h"
#include "control/activex/persist/stream_error.h"
#include "control/activex/persist/value.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::persist {

struct SkippedProperty {
    std::size_t index;   // position in the list given
    std::string name;
    std::string reason;
};

struct ApplyReport {
    std::size_t applied = 0;
    std::vector<SkippedProperty> unknown;   // names the table or the setter did not know
    std::vector<SkippedProperty> rejected;  // known names with a value they cannot take

    bool clean() const noexcept { return unknown.empty() && rejected.empty(); }
};

// Returns false when the control has no such property; the entry is then
// reported as unknown.
using PropertySetter = std::function<bool(const PropertyDescriptor&, const Setting&)>;

// Each entry is decoded against the table and passed to the setter in list
// order, so that the setters' clamps see the values in the order they were
// saved. Bad entries are skipped and reported; the rest still apply.
ApplyReport ApplyProperties(const PropertyList& properties, const PropertySetter& setter);

struct LoadOutcome {
    std::optional<StreamError> error;  // the stream was unreadable; nothing was applied
    ApplyReport report;

    bool ok() const noexcept { return !error.has_value(); }
};

// ReadStream, then ApplyProperties when the whole stream could be read.
LoadOutcome LoadStream(std::string_view bytes, const PropertySetter& setter);

// Empty when the control has no value for the property (it is then not saved).
using PropertyGetter = std::function<std::optional<Setting>(const PropertyDescriptor&)>;

struct CollectResult {
    PropertyList properties;
    std::vector<SkippedProperty> rejected;  // settings of the wrong kind or out of range
};

// The control's settings in declaration order, leaving out those equal to
// their declared default.
CollectResult CollectProperties(const PropertyGetter& getter);

}  // namespace tarn::persist
