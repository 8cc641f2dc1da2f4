// The one description of the control's persisted properties, in the order
// they are declared and therefore written: what kind of value each takes
// and the default that lets a saved stream leave it out.
#pragma once

#include "control/activex/persist/name_table.h"
#include "control/activex/persist/setting.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarn::persist {

enum class PropertyKind {
    Integer,      // int32 within [min, max]
    Boolean,      // bool
    Enumeration,  // int32 ordinal, stored as one of names
    Colour,       // Colour, stored by name when it has one
    Cursor,       // int32 within [min, max], stored by name when it has one
    Charset,      // int32 within [min, max], stored by name when it has one
    String,       // CP932 bytes
    FontName,     // UTF-16; stored as a short string when plain ASCII
    FontStyle,    // FontStyles, stored as a set of names
};

struct PropertyDescriptor {
    std::size_t order = 0;  // position in PublishedProperties()
    std::string_view name;
    PropertyKind kind = PropertyKind::Integer;
    std::int32_t min = std::numeric_limits<std::int32_t>::min();
    std::int32_t max = std::numeric_limits<std::int32_t>::max();
    // Enumeration: its values; FontStyle: element names and bits; Colour,
    // Cursor, Charset: the shared identifier table.
    std::span<const NamedNumber> names;
    // Empty: always written. Otherwise a value equal to it is left out.
    std::optional<Setting> declared_default;
};

const std::vector<PropertyDescriptor>& PublishedProperties();

// Matched ignoring ASCII case; nullptr for a name the control does not have.
const PropertyDescriptor* FindProperty(std::string_view name);

}  // namespace tarn::persist
