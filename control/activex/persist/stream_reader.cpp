#include "control/activex/persist/stream_reader.h"

#include "control/activex/persist/byte_reader.h"
#include "control/activex/persist/name_table.h"

#include <cstdint>
#include <utility>

namespace tarn::persist {
namespace {

class Parser {
public:
    explicit Parser(std::string_view bytes) : in_(bytes) {}

    ReadResult Run() {
        ReadResult result;
        if (Header(result.component_name) && Properties(result.properties) && Footer()) return result;
        result.properties.clear();
        result.component_name.clear();
        result.error = std::move(error_);
        return result;
    }

private:
    bool Fail(StreamErrorCode code, std::size_t at, std::string message) {
        error_ = StreamError{code, at, std::move(message) + " at offset " + std::to_string(at)};
        return false;
    }

    bool Truncated(std::size_t at, std::string_view what) {
        return Fail(StreamErrorCode::Truncated, at, "stream ends inside " + std::string(what));
    }

    bool Header(std::string& component) {
        auto sig = in_.Take(kSignature.size());
        if (!sig) return Truncated(0, "the signature");
        if (*sig != kSignature) return Fail(StreamErrorCode::BadSignature, 0, "missing stream signature");
        std::size_t classAt = in_.Offset();
        std::string className;
        if (!ShortString(className, "the class name")) return false;
        if (!SameIdentifier(className, kClassName))
            return Fail(StreamErrorCode::WrongClass, classAt, "stream holds class \"" + className + "\"");
        return ShortString(component, "the component name");
    }

    bool Properties(PropertyList& out) {
        for (;;) {
            std::size_t at = in_.Offset();
            auto len = in_.Byte();
            if (!len) return Truncated(at, "the property list");
            if (*len == 0) return true;
            auto name = in_.Take(*len);
            if (!name) return Fail(StreamErrorCode::LengthBeyondEnd, at, "property name longer than the stream");
            Property p{std::string(*name), {}};
            if (!ReadValue(p.value, p.name)) return false;
            out.push_back(std::move(p));
        }
    }

    bool Footer() {
        std::size_t at = in_.Offset();
        auto children = in_.Byte();
        if (!children) return Truncated(at, "the end of the child list");
        if (*children != 0) return Fail(StreamErrorCode::ChildComponents, at, "child components are not supported");
        if (in_.Remaining() != 0)
            return Fail(StreamErrorCode::TrailingBytes, in_.Offset(),
                        std::to_string(in_.Remaining()) + " bytes after the end of the stream");
        return true;
    }

    bool ShortString(std::string& out, std::string_view what) {
        std::size_t at = in_.Offset();
        auto len = in_.Byte();
        if (!len) return Truncated(at, what);
        auto body = in_.Take(*len);
        if (!body)
            return Fail(StreamErrorCode::LengthBeyondEnd, at,
                        std::string(what) + " of " + std::to_string(*len) + " bytes runs past the end");
        out.assign(*body);
        return true;
    }

    bool ReadValue(Value& out, const std::string& name) {
        std::size_t at = in_.Offset();
        auto type = in_.Byte();
        if (!type) return Truncated(at, "the value of " + name);
        if (!IsKnownValueType(*type))
            return Fail(StreamErrorCode::UnknownValueType, at,
                        "value type " + std::to_string(*type) + " of " + name + " has no known layout");
        switch (static_cast<ValueType>(*type)) {
        case ValueType::Int8: {
            auto v = in_.Byte();
            if (!v) return Truncated(at, "an 8-bit integer");
            out = static_cast<std::int32_t>(static_cast<std::int8_t>(*v));
            return true;
        }
        case ValueType::Int16: {
            auto v = in_.U16();
            if (!v) return Truncated(at, "a 16-bit integer");
            out = static_cast<std::int32_t>(static_cast<std::int16_t>(*v));
            return true;
        }
        case ValueType::Int32: {
            auto v = in_.U32();
            if (!v) return Truncated(at, "a 32-bit integer");
            out = static_cast<std::int32_t>(*v);
            return true;
        }
        case ValueType::False: out = false; return true;
        case ValueType::True: out = true; return true;
        case ValueType::String: {
            std::string s;
            if (!ShortString(s, "a short string")) return false;
            out = std::move(s);
            return true;
        }
        case ValueType::Identifier: {
            Identifier id;
            if (!ShortString(id.name, "an identifier")) return false;
            out = std::move(id);
            return true;
        }
        case ValueType::Set: return ReadSet(out);
        case ValueType::LongString: return ReadLongString(out, at);
        case ValueType::WideString: return ReadWideString(out, at);
        }
        return Fail(StreamErrorCode::UnknownValueType, at, "value type " + std::to_string(*type));
    }

    bool ReadSet(Value& out) {
        SetValue set;
        // Each element takes at least its length byte, so the loop ends
        // within the input.
        for (;;) {
            std::string element;
            if (!ShortString(element, "a set element")) return false;
            if (element.empty()) break;
            set.elements.push_back(std::move(element));
        }
        out = std::move(set);
        return true;
    }

    bool ReadLongString(Value& out, std::size_t at) {
        auto len = in_.U32();
        if (!len) return Truncated(at, "a long string length");
        auto body = in_.Take(*len);
        if (!body)
            return Fail(StreamErrorCode::LengthBeyondEnd, at,
                        "long string of " + std::to_string(*len) + " bytes runs past the end");
        out = std::string(*body);
        return true;
    }

    bool ReadWideString(Value& out, std::size_t at) {
        auto count = in_.U32();
        if (!count) return Truncated(at, "a wide string length");
        // Checked in 64 bits before anything is allocated.
        auto body = in_.Take(std::uint64_t{*count} * 2);
        if (!body)
            return Fail(StreamErrorCode::LengthBeyondEnd, at,
                        "wide string of " + std::to_string(*count) + " characters runs past the end");
        std::u16string text(*count, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            auto lo = static_cast<std::uint8_t>((*body)[2 * i]);
            auto hi = static_cast<std::uint8_t>((*body)[2 * i + 1]);
            text[i] = static_cast<char16_t>(lo | (hi << 8));
        }
        out = std::move(text);
        return true;
    }

    ByteReader in_;
    std::optional<StreamError> error_;
};

}  // namespace

ReadResult ReadStream(std::string_view bytes) { return Parser(bytes).Run(); }

}  // namespace tarn::persist
