#include "control/activex/persist/stream_format.h"

namespace tarn::persist {

std::string_view ValueTypeName(ValueType type) noexcept {
    switch (type) {
    case ValueType::Int8: return "8-bit integer";
    case ValueType::Int16: return "16-bit integer";
    case ValueType::Int32: return "32-bit integer";
    case ValueType::String: return "short string";
    case ValueType::Identifier: return "identifier";
    case ValueType::False: return "false";
    case ValueType::True: return "true";
    case ValueType::Set: return "set";
    case ValueType::LongString: return "long string";
    case ValueType::WideString: return "wide string";
    }
    return "unknown";
}

}  // namespace tarn::persist
