#include "control/activex/persist/stream_writer.h"

#include <cstdint>
#include <limits>

namespace tarn::persist {
namespace {

constexpr std::uint64_t kMaxCount = std::numeric_limits<std::int32_t>::max();

void PutByte(std::string& out, std::uint32_t b) { out.push_back(static_cast<char>(b & 0xFF)); }

void PutLe(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) PutByte(out, v >> (8 * i));
}

void PutType(std::string& out, ValueType t) { PutByte(out, static_cast<std::uint8_t>(t)); }

bool PutShortString(std::string& out, std::string_view s) {
    if (s.size() > kShortStringMax) return false;
    PutByte(out, static_cast<std::uint32_t>(s.size()));
    out.append(s);
    return true;
}

bool PutInteger(std::string& out, std::int32_t v) {
    ValueType t = WrittenType(Value{v});
    PutType(out, t);
    auto bits = static_cast<std::uint32_t>(v);
    PutLe(out, bits, t == ValueType::Int8 ? 1 : t == ValueType::Int16 ? 2 : 4);
    return true;
}

bool PutBytes(std::string& out, const std::string& s) {
    if (s.size() <= kShortStringMax) {
        PutType(out, ValueType::String);
        return PutShortString(out, s);
    }
    // A string a short string cannot hold is kept whole rather than cut.
    if (s.size() > kMaxCount) return false;
    PutType(out, ValueType::LongString);
    PutLe(out, static_cast<std::uint32_t>(s.size()), 4);
    out.append(s);
    return true;
}

bool PutWide(std::string& out, const std::u16string& s) {
    if (s.size() > kMaxCount) return false;
    PutType(out, ValueType::WideString);
    PutLe(out, static_cast<std::uint32_t>(s.size()), 4);
    for (char16_t c : s) PutLe(out, c, 2);
    return true;
}

bool PutSet(std::string& out, const SetValue& set) {
    PutType(out, ValueType::Set);
    for (const std::string& e : set.elements)
        if (e.empty() || !PutShortString(out, e)) return false;
    PutByte(out, 0);
    return true;
}

struct ValueWriter {
    std::string& out;
    bool operator()(std::int32_t v) const { return PutInteger(out, v); }
    bool operator()(bool v) const {
        PutType(out, v ? ValueType::True : ValueType::False);
        return true;
    }
    bool operator()(const std::string& v) const { return PutBytes(out, v); }
    bool operator()(const std::u16string& v) const { return PutWide(out, v); }
    bool operator()(const Identifier& v) const {
        PutType(out, ValueType::Identifier);
        return PutShortString(out, v.name);
    }
    bool operator()(const SetValue& v) const { return PutSet(out, v); }
};

WriteResult Failure(std::size_t at, std::string message) {
    return WriteResult{{}, StreamError{StreamErrorCode::NotWritable, at, std::move(message)}};
}

}  // namespace

bool AppendValue(std::string& out, const Value& value) { return std::visit(ValueWriter{out}, value); }

WriteResult WriteStream(const PropertyList& properties) {
    WriteResult result;
    std::string& out = result.bytes;
    out.append(kSignature);
    PutShortString(out, kClassName);
    PutShortString(out, "");
    for (const Property& p : properties) {
        std::size_t at = out.size();
        if (p.name.empty()) return Failure(at, "a property without a name cannot be written");
        if (!PutShortString(out, p.name)) return Failure(at, "property name longer than 255 bytes: " + p.name.substr(0, 40));
        if (!AppendValue(out, p.value)) return Failure(at, "value of " + p.name + " cannot be written");
    }
    PutByte(out, 0);  // end of the property list
    PutByte(out, 0);  // end of the (empty) child list
    return result;
}

}  // namespace tarn::persist
