// Between a stream value and the setting a property takes. Loading is
// lenient where no meaning is lost (any integer width, a short, long or wide
// string for a string property, a plain number for a colour, cursor or
// character set); anything else is refused with the reason.
#pragma once

#include "control/activex/persist/property_table.h"
#include "control/activex/persist/setting.h"
#include "control/activex/persist/value.h"

#include <optional>
#include <string>

namespace tarn::persist {

struct Decoded {
    std::optional<Setting> setting;
    std::string problem;  // set when setting is empty
};

Decoded DecodeSetting(const PropertyDescriptor& property, const Value& value);

// Empty when the setting is not of the property's kind or out of its range.
std::optional<Value> EncodeSetting(const PropertyDescriptor& property, const Setting& setting);

bool IsDeclaredDefault(const PropertyDescriptor& property, const Setting& setting);

}  // namespace tarn::persist
