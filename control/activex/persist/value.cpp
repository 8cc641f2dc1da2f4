#include "control/activex/persist/value.h"

#include <limits>

namespace tarn::persist {

namespace {
template <class... F>
struct Overload : F... {
    using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;
}  // namespace

ValueType WrittenType(const Value& value) noexcept {
    return std::visit(
        Overload{
            [](std::int32_t v) {
                if (v >= std::numeric_limits<std::int8_t>::min() && v <= std::numeric_limits<std::int8_t>::max())
                    return ValueType::Int8;
                if (v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max())
                    return ValueType::Int16;
                return ValueType::Int32;
            },
            [](bool v) { return v ? ValueType::True : ValueType::False; },
            [](const std::string& v) {
                return v.size() <= kShortStringMax ? ValueType::String : ValueType::LongString;
            },
            [](const std::u16string&) { return ValueType::WideString; },
            [](const Identifier&) { return ValueType::Identifier; },
            [](const SetValue&) { return ValueType::Set; },
        },
        value);
}

std::string_view ValueKindName(const Value& value) noexcept {
    return std::visit(Overload{
                          [](std::int32_t) { return std::string_view("integer"); },
                          [](bool) { return std::string_view("boolean"); },
                          [](const std::string&) { return std::string_view("string"); },
                          [](const std::u16string&) { return std::string_view("wide string"); },
                          [](const Identifier&) { return std::string_view("identifier"); },
                          [](const SetValue&) { return std::string_view("set"); },
                      },
                      value);
}

}  // namespace tarn::persist
