// One property value as the stream knows it, independent of which property
// it belongs to. Integers are kept as one 32-bit alternative because the
// writer chooses the encoded width from the value, and byte strings
// (CP932) as one alternative because the writer chooses short or long
// string from the length; everything else maps to exactly one type byte.
#pragma once

#include "control/activex/persist/stream_format.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarn::persist {

// An enumeration, colour, cursor or character-set name.
struct Identifier {
    std::string name;
    friend bool operator==(const Identifier&, const Identifier&) = default;
};

// The element names of a set, in stream order.
struct SetValue {
    std::vector<std::string> elements;
    friend bool operator==(const SetValue&, const SetValue&) = default;
};

using Value = std::variant<std::int32_t, bool, std::string, std::u16string, Identifier, SetValue>;

struct Property {
    std::string name;
    Value value;
    friend bool operator==(const Property&, const Property&) = default;
};

using PropertyList = std::vector<Property>;

// The type byte the writer uses for this value.
ValueType WrittenType(const Value& value) noexcept;

// A short word for messages: "integer", "identifier", ...
std::string_view ValueKindName(const Value& value) noexcept;

}  // namespace tarn::persist
