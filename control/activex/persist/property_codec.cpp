#include "control/activex/persist/property_codec.h"

#include "platform/codepage/codepage.h"

#include <cstdint>

namespace tarn::persist {
namespace {

Decoded Refuse(const PropertyDescriptor& p, std::string why) {
    return Decoded{std::nullopt, std::string(p.name) + ": " + std::move(why)};
}

Decoded WrongType(const PropertyDescriptor& p, const Value& v, std::string_view expected) {
    return Refuse(p, "expected " + std::string(expected) + ", found " + std::string(ValueKindName(v)));
}

Decoded Accept(Setting s) { return Decoded{std::move(s), {}}; }

Decoded InRange(const PropertyDescriptor& p, std::int32_t v) {
    if (v < p.min || v > p.max)
        return Refuse(p, std::to_string(v) + " is outside " + std::to_string(p.min) + ".." + std::to_string(p.max));
    return Accept(v);
}

// An identifier from the property's table, or a plain integer.
Decoded NamedOrNumber(const PropertyDescriptor& p, const Value& v, bool numberAllowed) {
    if (const auto* id = std::get_if<Identifier>(&v)) {
        auto n = NumberOfName(p.names, id->name);
        if (!n) return Refuse(p, "unknown identifier " + id->name);
        if (p.kind == PropertyKind::Colour) return Accept(Colour{static_cast<std::uint32_t>(*n)});
        return InRange(p, static_cast<std::int32_t>(*n));
    }
    if (const auto* i = std::get_if<std::int32_t>(&v); i && numberAllowed) {
        if (p.kind == PropertyKind::Colour) return Accept(Colour{static_cast<std::uint32_t>(*i)});
        return InRange(p, *i);
    }
    return WrongType(p, v, numberAllowed ? "identifier or integer" : "identifier");
}

Decoded FontStyleOf(const PropertyDescriptor& p, const Value& v) {
    const auto* set = std::get_if<SetValue>(&v);
    if (!set) return WrongType(p, v, "set");
    FontStyles styles;
    for (const std::string& e : set->elements) {
        auto bit = NumberOfName(p.names, e);
        if (!bit) return Refuse(p, "unknown set element " + e);
        styles.bits = static_cast<std::uint8_t>(styles.bits | *bit);
    }
    return Accept(styles);
}

bool PlainAscii(const std::u16string& s) {
    for (char16_t c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

Decoded DecodeSetting(const PropertyDescriptor& p, const Value& v) {
    switch (p.kind) {
    case PropertyKind::Integer:
        if (const auto* i = std::get_if<std::int32_t>(&v)) return InRange(p, *i);
        return WrongType(p, v, "integer");
    case PropertyKind::Boolean:
        if (const auto* b = std::get_if<bool>(&v)) return Accept(*b);
        return WrongType(p, v, "boolean");
    case PropertyKind::Enumeration:
        return NamedOrNumber(p, v, false);
    case PropertyKind::Colour:
    case PropertyKind::Cursor:
    case PropertyKind::Charset:
        return NamedOrNumber(p, v, true);
    case PropertyKind::String:
        if (const auto* s = std::get_if<std::string>(&v)) return Accept(*s);
        // The control keeps its strings in the code page, as the interface
        // converts them; characters it cannot hold become '?'.
        if (const auto* w = std::get_if<std::u16string>(&v)) return Accept(platform::codepage::ToBytes(*w));
        return WrongType(p, v, "string");
    case PropertyKind::FontName:
        if (const auto* w = std::get_if<std::u16string>(&v)) return Accept(*w);
        if (const auto* s = std::get_if<std::string>(&v)) return Accept(platform::codepage::ToUtf16(*s));
        return WrongType(p, v, "string");
    case PropertyKind::FontStyle:
        return FontStyleOf(p, v);
    }
    return Refuse(p, "unknown property kind");
}

std::optional<Value> EncodeSetting(const PropertyDescriptor& p, const Setting& s) {
    switch (p.kind) {
    case PropertyKind::Integer: {
        const auto* i = std::get_if<std::int32_t>(&s);
        if (!i || *i < p.min || *i > p.max) return std::nullopt;
        return Value{*i};
    }
    case PropertyKind::Boolean:
        if (const auto* b = std::get_if<bool>(&s)) return Value{*b};
        return std::nullopt;
    case PropertyKind::Enumeration: {
        const auto* i = std::get_if<std::int32_t>(&s);
        if (!i) return std::nullopt;
        auto name = NameOfNumber(p.names, *i);
        if (!name) return std::nullopt;
        return Value{Identifier{std::string(*name)}};
    }
    case PropertyKind::Colour: {
        const auto* c = std::get_if<Colour>(&s);
        if (!c) return std::nullopt;
        if (auto name = NameOfNumber(p.names, c->value)) return Value{Identifier{std::string(*name)}};
        return Value{static_cast<std::int32_t>(c->value)};
    }
    case PropertyKind::Cursor:
    case PropertyKind::Charset: {
        const auto* i = std::get_if<std::int32_t>(&s);
        if (!i || *i < p.min || *i > p.max) return std::nullopt;
        if (auto name = NameOfNumber(p.names, *i)) return Value{Identifier{std::string(*name)}};
        return Value{*i};
    }
    case PropertyKind::String:
        if (const auto* b = std::get_if<std::string>(&s)) return Value{*b};
        return std::nullopt;
    case PropertyKind::FontName: {
        const auto* w = std::get_if<std::u16string>(&s);
        if (!w) return std::nullopt;
        // Other names go wide so they load back unchanged whatever the code page.
        if (PlainAscii(*w) && w->size() <= kShortStringMax) return Value{std::string(w->begin(), w->end())};
        return Value{*w};
    }
    case PropertyKind::FontStyle: {
        const auto* f = std::get_if<FontStyles>(&s);
        if (!f) return std::nullopt;
        SetValue set;
        std::uint8_t left = f->bits;
        for (const NamedNumber& e : p.names) {
            if (f->bits & e.number) set.elements.emplace_back(e.name);
            left = static_cast<std::uint8_t>(left & ~e.number);
        }
        if (left != 0) return std::nullopt;
        return Value{std::move(set)};
    }
    }
    return std::nullopt;
}

bool IsDeclaredDefault(const PropertyDescriptor& p, const Setting& s) {
    return p.declared_default.has_value() && *p.declared_default == s;
}

}  // namespace tarn::persist
