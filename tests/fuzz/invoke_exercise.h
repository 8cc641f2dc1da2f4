// Turns arbitrary bytes into one late-bound call on the control, the way a
// careless host might make it: any member and invoke kind, any argument
// count, each argument of any type, by value or by reference, and checks
// that the call answers with a result code and leaves the control usable.
//
// Layout: member byte (an entry of the dispatch table, or an unknown DISPID
// when it is past the end), flags byte, count byte, then per argument a
// type byte and its value bytes. Members that reach the file system are
// never called: a fuzzer must not write files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/dispatch.h"
#include "platform/com/late_bound.h"
#include "platform/com/variant.h"
#include "tarnedit/tarn_edit_x.h"

namespace tarnedit::fuzz {

namespace com = platform::com;

class ByteSource {
public:
    explicit ByteSource(std::string_view b) : b_(b) {}
    std::uint8_t Byte() { return at_ < b_.size() ? static_cast<std::uint8_t>(b_[at_++]) : 0; }
    std::int32_t Int() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t{Byte()} << (8 * i);
        return static_cast<std::int32_t>(v);
    }
    com::BSTR Text() {
        const std::size_t n = std::min<std::size_t>(Byte(), 64);
        com::BSTR s;
        for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char16_t>(Byte() | (Byte() << 8)));
        return s;
    }

private:
    std::string_view b_;
    std::size_t at_ = 0;
};

// Storage for by-reference arguments; stable for the call.
struct RefStore {
    std::vector<std::int32_t> ints = std::vector<std::int32_t>(16);
    std::vector<std::int16_t> shorts = std::vector<std::int16_t>(16);
    std::vector<com::BSTR> texts = std::vector<com::BSTR>(16);
    std::vector<std::uint32_t> uints = std::vector<std::uint32_t>(16);
    std::vector<com::Variant> variants = std::vector<com::Variant>(16);
};

inline com::Variant MakeArg(ByteSource& in, RefStore& refs, std::size_t i) {
    switch (in.Byte() % 14) {
    case 0: return com::Variant::I1(static_cast<std::int8_t>(in.Byte()));
    case 1: return com::Variant::UI1(in.Byte());
    case 2: return com::Variant::I2(static_cast<std::int16_t>(in.Int()));
    case 3: return com::Variant::I4(in.Int());
    case 4: return com::Variant::UI4(static_cast<std::uint32_t>(in.Int()));
    case 5: return com::Variant::Bool(in.Byte() & 1);
    case 6: return com::Variant::Bstr(in.Text());
    case 7: return com::Variant();
    case 8: refs.ints[i] = in.Int(); return com::Variant::Ref(refs.ints[i]);
    case 9: refs.texts[i] = in.Text(); return com::Variant::Ref(refs.texts[i]);
    case 10: refs.shorts[i] = static_cast<std::int16_t>(in.Int()); return com::Variant::Ref(refs.shorts[i], com::VT_BOOL);
    case 11: refs.uints[i] = static_cast<std::uint32_t>(in.Int()); return com::Variant::Ref(refs.uints[i]);
    case 12: refs.variants[i] = com::Variant(); return com::Variant::Ref(refs.variants[i]);
    default: return com::Variant::Dispatch(com::ComPtr<com::IDispatch>());
    }
}

inline bool TouchesFiles(com::DISPID id) { return id == dispid::LoadFromFile || id == dispid::SaveToFile; }

// The member ids in table order, from the control's type information.
inline std::vector<com::DISPID> MemberIds(com::IDispatch* control) {
    std::vector<com::DISPID> ids;
    com::ComPtr<com::ITypeInfo> info;
    if (com::FAILED(control->GetTypeInfo(0, info.Put()))) return ids;
    for (com::DISPID id = 201; id <= 362; ++id) ids.push_back(id);
    for (com::DISPID id : {com::DISPID_TEXT, com::DISPID_BACKCOLOR, com::DISPID_FONT, com::DISPID_ENABLED}) ids.push_back(id);
    return ids;
}

// "" when the call behaved; otherwise what went wrong.
inline std::string ExerciseInvoke(com::IDispatch* control, std::string_view bytes) {
    static const std::vector<com::DISPID> ids = MemberIds(control);
    if (ids.empty()) return "no type information";
    ByteSource in(bytes);
    const std::uint8_t member = in.Byte();
    const com::DISPID id = member < ids.size() ? ids[member] : 100000 + member;
    if (TouchesFiles(id)) return "";
    const std::uint16_t flags = static_cast<std::uint16_t>(in.Byte() & 0x0F);
    const std::size_t count = in.Byte() % 12;
    RefStore refs;
    std::vector<com::Variant> args;
    for (std::size_t i = 0; i < count; ++i) args.push_back(MakeArg(in, refs, i));
    const bool put = (flags & (com::DISPATCH_PROPERTYPUT | com::DISPATCH_PROPERTYPUTREF)) != 0;
    static const com::DISPID kPut = com::DISPID_PROPERTYPUT;
    com::DISPPARAMS params{args.data(), put && count > 0 ? &kPut : nullptr, static_cast<unsigned>(count),
                           put && count > 0 ? 1u : 0u};
    com::Variant result;
    com::EXCEPINFO excep;
    unsigned argErr = 0;
    const com::HRESULT hr = control->Invoke(id, flags, &params, &result, &excep, &argErr);
    if (com::FAILED(hr) && hr != com::DISP_E_EXCEPTION && excep.scode != com::S_OK) return "stray exception info";
    // Still usable afterwards.
    if (com::FAILED(com::PutProperty(control, com::DISPID_TEXT, com::BSTR(u"ok")))) return "Text put failed after the call";
    com::BSTR text;
    if (com::FAILED(com::GetProperty(control, com::DISPID_TEXT, &text)) || text != u"ok") return "Text changed behind the host";
    return "";
}

}  // namespace tarnedit::fuzz
