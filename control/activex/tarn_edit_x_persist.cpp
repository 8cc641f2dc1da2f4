// The persisted property stream of the control. Entries that name a member
// of ITarnEditX go through that member's put and get in the dispatch table,
// so loading applies the same setters (and clamps) a host's calls do, in
// stream order; the rest (position, size, cursor, the font's parts and a
// few flags of the generic control) are handled here.
#include "control/activex/persist/length_prefix.h"
#include "control/activex/persist/property_apply.h"
#include "control/activex/persist/stream_writer.h"
#include "control/activex/persist/host_property_sets.h"
#include "control/activex/tarn_edit_x.h"
#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"
#include "platform/com/error_guard.h"
#include "platform/com/error_info.h"
#include "platform/com/utf.h"
#include "platform/com/variant.h"

#include <utility>

#include <QWidget>  // after the runtime's headers: Qt's "slots" macro

namespace tarnedit {

namespace persist = tarn::persist;
namespace cp = platform::codepage;
using com::HRESULT;
using com::Variant;

namespace {

// The pointer shapes of the stored cursor numbers (crDefault 0 down to
// crSizeAll -22); numbers without a shape of their own keep the I-beam.
Qt::CursorShape CursorShape(std::int32_t c) {
    static constexpr std::pair<std::int32_t, Qt::CursorShape> kShapes[] = {
        {0, Qt::ArrowCursor},         {-1, Qt::BlankCursor},       {-2, Qt::ArrowCursor},
        {-3, Qt::CrossCursor},        {-6, Qt::SizeBDiagCursor},   {-7, Qt::SizeVerCursor},
        {-8, Qt::SizeFDiagCursor},    {-9, Qt::SizeHorCursor},     {-10, Qt::UpArrowCursor},
        {-11, Qt::WaitCursor},        {-12, Qt::DragMoveCursor},   {-13, Qt::ForbiddenCursor},
        {-14, Qt::SplitHCursor},      {-15, Qt::SplitVCursor},     {-16, Qt::DragMoveCursor},
        {-17, Qt::WaitCursor},        {-18, Qt::ForbiddenCursor},  {-19, Qt::BusyCursor},
        {-20, Qt::WhatsThisCursor},   {-21, Qt::PointingHandCursor}, {-22, Qt::SizeAllCursor},
    };
    for (const auto& [number, shape] : kShapes)
        if (number == c) return shape;
    return Qt::IBeamCursor;
}

com::DISPID MemberId(std::string_view name) {
    com::BSTR n = com::Utf8ToUtf16(name);
    com::DISPID id = com::DISPID_UNKNOWN;
    if (com::FAILED(TTarnEditX::DispatchMembers().GetIDsOfNames(&n, 1, &id))) return com::DISPID_UNKNOWN;
    return id;
}

Variant ToVariant(const persist::Setting& s) {
    if (const auto* i = std::get_if<std::int32_t>(&s)) return Variant::I4(*i);
    if (const auto* b = std::get_if<bool>(&s)) return Variant::Bool(*b);
    if (const auto* c = std::get_if<persist::Colour>(&s)) return Variant::Color(c->value);
    if (const auto* t = std::get_if<std::string>(&s)) return Variant::Bstr(cp::ToUtf16(*t));
    if (const auto* w = std::get_if<std::u16string>(&s)) return Variant::Bstr(*w);
    return Variant::I4(std::get<persist::FontStyles>(s).bits);
}

std::optional<persist::Setting> FromVariant(const persist::PropertyDescriptor& d, const Variant& v) {
    switch (d.kind) {
    case persist::PropertyKind::Boolean: {
        bool b = false;
        if (com::FAILED(com::ToBool(v, &b))) return std::nullopt;
        return b;
    }
    case persist::PropertyKind::Colour: {
        com::OLE_COLOR c;
        if (com::FAILED(com::ToColor(v, &c))) return std::nullopt;
        return persist::Colour{c.value};
    }
    case persist::PropertyKind::String: {
        com::BSTR s;
        if (com::FAILED(com::ToBstr(v, &s))) return std::nullopt;
        return cp::ToBytes(s);
    }
    default: {
        std::int32_t n = 0;
        if (com::FAILED(com::ToI4(v, &n))) return std::nullopt;
        return n;
    }
    }
}

[[noreturn]] void Refuse(HRESULT hr, const std::string& why) { throw com::ComError(hr, why); }

}  // namespace

void TTarnEditX::LoadProperties(const std::string& stream) {
    tarn::view::TFontSpec font = view_->Settings().Font();
    bool fontTouched = false;
    persist::LoadOutcome out = persist::LoadStream(stream, [&](const persist::PropertyDescriptor& d,
                                                               const persist::Setting& s) -> bool {
        const std::string_view n = d.name;
        QWidget& w = *view_;
        auto num = [&] { return std::get<std::int32_t>(s); };
        if (n == "Left") w.move(num(), w.y());
        else if (n == "Top") w.move(w.x(), num());
        else if (n == "Width") w.resize(std::max(0, num()), w.height());
        else if (n == "Height") w.resize(w.width(), std::max(0, num()));
        else if (n == "Cursor") {
            cursor_ = num();
            view_->SetRestingCursor(CursorShape(cursor_));
        }
        else if (n == "TabStop") tabStop_ = std::get<bool>(s);
        else if (n == "ShowHint") showHint_ = std::get<bool>(s);
        else if (n == "ParentFont") view_->SetParentFont(std::get<bool>(s));
        else if (n == "Font.Charset") fontCharset_ = num();
        else if (n == "Font.Style") fontStyle_ = std::get<persist::FontStyles>(s).bits;
        else if (n == "Font.Color") { font.Color = tarn::view::ResolveColour(std::get<persist::Colour>(s).value); fontTouched = true; }
        else if (n == "Font.Height") { font.SetHeight(num()); fontTouched = true; }
        else if (n == "Font.Name") { font.Name = cp::ToBytes(std::get<std::u16string>(s)); fontTouched = true; }
        else {
            com::DISPID id = MemberId(n);
            if (id == com::DISPID_UNKNOWN) return false;
            Variant arg = ToVariant(s);
            com::DISPID named = com::DISPID_PROPERTYPUT;
            com::DISPPARAMS p{&arg, &named, 1, 1};
            com::EXCEPINFO ei;
            HRESULT hr = DispatchMembers().Invoke(*this, id, com::DISPATCH_PROPERTYPUT, &p, nullptr, &ei, nullptr);
            if (com::FAILED(hr)) return false;
        }
        return true;
    });
    if (!out.ok()) Refuse(com::E_INVALIDARG, "the property stream cannot be read: " + out.error->message);
    if (fontTouched) {
        const bool parent = view_->Settings().ParentFont;
        view_->Settings().SetFont(font);
        view_->Settings().ParentFont = parent;
    }
    // Style-dependent properties (scroll bars, border) take effect with a
    // fresh window.
    view_->RecreateWindow();
}

std::string TTarnEditX::SaveProperties() {
    const tarn::view::TFontSpec& font = view_->Settings().Font();
    persist::CollectResult r = persist::CollectProperties([&](const persist::PropertyDescriptor& d)
                                                              -> std::optional<persist::Setting> {
        const std::string_view n = d.name;
        const QWidget& w = *view_;
        if (n == "Left") return std::int32_t{w.x()};
        if (n == "Top") return std::int32_t{w.y()};
        if (n == "Width") return std::int32_t{w.width()};
        if (n == "Height") return std::int32_t{w.height()};
        if (n == "Cursor") return std::int32_t{cursor_};
        if (n == "TabStop") return tabStop_;
        if (n == "ShowHint") return showHint_;
        if (n == "ParentFont") return view_->Settings().ParentFont;
        if (n == "Font.Charset") return std::int32_t{fontCharset_};
        if (n == "Font.Style") return persist::FontStyles{fontStyle_};
        if (n == "Font.Color") return persist::Colour{font.Color};
        if (n == "Font.Height") return std::int32_t{font.Height()};
        if (n == "Font.Name") return cp::ToUtf16(font.Name);
        com::DISPID id = MemberId(n);
        if (id == com::DISPID_UNKNOWN) return std::nullopt;
        Variant result;
        com::DISPPARAMS p{};
        com::EXCEPINFO ei;
        if (com::FAILED(DispatchMembers().Invoke(*this, id, com::DISPATCH_PROPERTYGET, &p, &result, &ei, nullptr)))
            return std::nullopt;
        return FromVariant(d, result);
    });
    if (!r.rejected.empty()) Refuse(com::E_FAIL, "cannot save " + r.rejected.front().name + ": " + r.rejected.front().reason);
    persist::WriteResult w = persist::WriteStream(r.properties);
    if (!w.ok()) Refuse(com::E_FAIL, "cannot write the property stream: " + w.error->message);
    return w.bytes;
}

HRESULT TTarnEditX::InitNew() noexcept {
    return com::Guarded(u"TarnEditX", [&] {
        persist::WriteResult w = persist::WriteStream(persist::TarnEditX1Properties());
        if (!w.ok()) Refuse(com::E_FAIL, w.error->message);
        LoadProperties(w.bytes);
    });
}

HRESULT TTarnEditX::Load(const std::string& stream) noexcept {
    return com::Guarded(u"TarnEditX", [&] { LoadProperties(stream); });
}

HRESULT TTarnEditX::Save(std::string* stream) noexcept {
    if (!stream) return com::E_POINTER;
    return com::Guarded(u"TarnEditX", [&] { *stream = SaveProperties(); });
}

HRESULT TTarnEditX::LoadRecord(const std::string& data, std::uint32_t* consumed) noexcept {
    if (consumed) *consumed = 0;
    return com::Guarded(u"TarnEditX", [&] {
        persist::PrefixedStream p = persist::SplitLengthPrefix(data);
        if (!p.ok()) Refuse(com::E_INVALIDARG, "the form record cannot be read: " + p.error->message);
        LoadProperties(std::string(p.stream));
        if (consumed) *consumed = static_cast<std::uint32_t>(p.consumed);
    });
}

HRESULT TTarnEditX::SaveRecord(std::string* record) noexcept {
    if (!record) return com::E_POINTER;
    return com::Guarded(u"TarnEditX", [&] {
        std::optional<std::string> r = persist::AddLengthPrefix(SaveProperties());
        if (!r) Refuse(com::E_FAIL, "the property stream is too long for a form record");
        *record = std::move(*r);
    });
}

}  // namespace tarnedit
