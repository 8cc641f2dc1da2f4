// Table-driven IDispatch. One table row declares a member, and the same
// rows give GetIDsOfNames, Invoke and the type information:
//
//     static const DispatchTable<Editor> table(IID_IEditor, u"IEditor", {
//         Method(226, u"ReDesign", &Editor::ReDesign),
//         Method(231, u"IsInnerSelect", {u"x", u"y"}, &Editor::IsInnerSelect),
//         Property(203, u"SelLength", &Editor::SelLength, &Editor::SetSelLength, Hidden),
//         ReadOnlyProperty(201, u"ClLineCount", &Editor::ClLineCount, Hidden),
//     });
//
// A member's parameter and result types come from its C++ signature (see
// arg_codec.h); a non-const reference parameter is an in/out argument. A
// member fails by throwing; Invoke returns DISP_E_EXCEPTION with the message
// in EXCEPINFO and in the error information.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/com/arg_codec.h"
#include "platform/com/callable_traits.h"
#include "platform/com/error_guard.h"
#include "platform/com/type_description.h"

namespace platform::com {

struct MemberFlags {
    bool hidden = false;
};
inline constexpr MemberFlags Hidden{true};

namespace detail {

// The caller's variants for one call, in declaration order.
struct CallFrame {
    std::vector<Variant*> args;
    std::vector<unsigned> argIndex;  // each one's index in rgvarg, for argErr
    Variant* result = nullptr;
};

// A decoding failure on its way out of a member call.
struct ArgFailure {
    HRESULT hr;
    unsigned index;
};

// Checks the count and the named arguments and finds each argument.
HRESULT BindArguments(const FuncDesc& f, const DISPPARAMS* params, CallFrame& frame);

// Which member of a table answers (DISPID, flags).
class MemberIndex {
public:
    explicit MemberIndex(const std::vector<FuncDesc>& funcs);
    // The index in funcs, or -1.
    int Find(DISPID id, std::uint16_t flags) const noexcept;

private:
    std::unordered_map<DISPID, std::array<int, 4>> slots_;  // func, get, put, putref
};

template <class A>
constexpr VARTYPE ParamVt() {
    using T = std::remove_cvref_t<A>;
    constexpr bool inOut = std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>>;
    return static_cast<VARTYPE>(ArgCodec<T>::vt | (inOut ? VT_BYREF : 0));
}

// One decoded argument passed by value.
template <class A>
class ArgHolder {
public:
    using T = std::remove_cvref_t<A>;
    HRESULT Load(Variant& arg) noexcept { return ArgCodec<T>::Decode(arg, &value_); }
    T& Get() noexcept { return value_; }
    void Store() {}

private:
    T value_{};
};

// One in/out argument: read from the caller's storage, written back after
// the member returns. Accepts a reference of the exact type, a reference to
// a variant, or (for callers that do not want the result) a plain value.
template <class T>
class ArgHolder<T&> {
public:
    using Codec = ArgCodec<T>;
    HRESULT Load(Variant& arg) noexcept {
        if (arg.vt() == (Codec::vt | VT_BYREF)) {
            wire_ = arg.Target<typename Codec::Wire>();
            if (!wire_) return DISP_E_TYPEMISMATCH;
            try {
                value_ = Codec::FromWire(*wire_);
            } catch (...) {
                return E_OUTOFMEMORY;
            }
            return S_OK;
        }
        if (arg.vt() == (VT_VARIANT | VT_BYREF)) {
            boxed_ = arg.Target<Variant>();
            if (!boxed_) return DISP_E_TYPEMISMATCH;
            if (boxed_->vt() == VT_EMPTY) return S_OK;  // an out-only argument
            return Codec::Decode(*boxed_, &value_);
        }
        if (arg.IsByRef()) return DISP_E_TYPEMISMATCH;
        return Codec::Decode(arg, &value_);
    }
    T& Get() noexcept { return value_; }
    void Store() {
        if (wire_) *wire_ = Codec::ToWire(value_);
        else if (boxed_) *boxed_ = Codec::Encode(value_);
    }

private:
    T value_{};
    typename Codec::Wire* wire_ = nullptr;
    Variant* boxed_ = nullptr;
};

// A const reference is an input like a value.
template <class T>
class ArgHolder<const T&> : public ArgHolder<T> {};

template <class Self, class F, class R, class... A, std::size_t... I>
void CallMember(const F& fn, Self& self, CallFrame& frame, TypeList<A...>, std::index_sequence<I...>) {
    std::tuple<ArgHolder<A>...> holders;
    [[maybe_unused]] auto load = [&](auto& holder, std::size_t i) {
        HRESULT hr = holder.Load(*frame.args[i]);
        if (FAILED(hr)) throw ArgFailure{hr, frame.argIndex[i]};
    };
    (load(std::get<I>(holders), I), ...);
    if constexpr (std::is_void_v<R>) {
        std::invoke(fn, self, std::get<I>(holders).Get()...);
        (std::get<I>(holders).Store(), ...);
    } else {
        R r = std::invoke(fn, self, std::get<I>(holders).Get()...);
        (std::get<I>(holders).Store(), ...);
        if (frame.result) *frame.result = ArgCodec<std::remove_cvref_t<R>>::Encode(r);
    }
}

}  // namespace detail

template <class Self>
struct Member {
    FuncDesc desc;
    std::function<void(Self&, detail::CallFrame&)> call;
};

// One row of a table: a method, or the get and put of one property.
template <class Self>
struct Row {
    std::vector<Member<Self>> members;
};

namespace detail {

template <class F, class... A, std::size_t... I>
auto MakeMember(DISPID id, std::u16string_view name, std::uint16_t invkind, const std::u16string_view* names,
                F fn, MemberFlags flags, TypeList<A...> args, std::index_sequence<I...> seq) {
    using Traits = CallableTraits<std::decay_t<F>>;
    using Self = typename Traits::Self;
    using R = typename Traits::Result;
    Member<Self> m;
    m.desc.memid = id;
    m.desc.name = BSTR(name);
    m.desc.invkind = invkind;
    m.desc.hidden = flags.hidden;
    m.desc.params = {ParamDesc{BSTR(names[I]), ParamVt<A>(), BSTR(ArgCodec<std::remove_cvref_t<A>>::typeName)}...};
    if constexpr (!std::is_void_v<R>) {
        m.desc.result = ArgCodec<std::remove_cvref_t<R>>::vt;
        m.desc.resultTypeName = BSTR(ArgCodec<std::remove_cvref_t<R>>::typeName);
    }
    m.call = [fn = std::move(fn), args, seq](Self& self, CallFrame& frame) {
        CallMember<Self, F, R>(fn, self, frame, args, seq);
    };
    return m;
}

template <class F, std::size_t N>
auto Make(DISPID id, std::u16string_view name, std::uint16_t invkind, const std::u16string_view* names, F fn,
          MemberFlags flags) {
    using Args = typename CallableTraits<std::decay_t<F>>::Args;
    static_assert(Args::size == N, "one parameter name per parameter");
    return MakeMember(id, name, invkind, names, std::move(fn), flags, Args{}, std::make_index_sequence<N>{});
}

inline constexpr std::u16string_view kPutValueName[] = {u"Value"};

}  // namespace detail

template <class F>
Row<detail::SelfOf<F>> Method(DISPID id, std::u16string_view name, F fn, MemberFlags flags = {}) {
    return {{detail::Make<F, 0>(id, name, INVOKE_FUNC, nullptr, std::move(fn), flags)}};
}

template <class F, std::size_t N>
Row<detail::SelfOf<F>> Method(DISPID id, std::u16string_view name, const std::u16string_view (&params)[N], F fn,
                              MemberFlags flags = {}) {
    return {{detail::Make<F, N>(id, name, INVOKE_FUNC, params, std::move(fn), flags)}};
}

template <class G>
Row<detail::SelfOf<G>> ReadOnlyProperty(DISPID id, std::u16string_view name, G get, MemberFlags flags = {}) {
    return {{detail::Make<G, 0>(id, name, INVOKE_PROPERTYGET, nullptr, std::move(get), flags)}};
}

template <class G, class S>
Row<detail::SelfOf<G>> Property(DISPID id, std::u16string_view name, G get, S put, MemberFlags flags = {}) {
    static_assert(std::is_same_v<detail::SelfOf<G>, detail::SelfOf<S>>, "get and put of one object");
    return {{detail::Make<G, 0>(id, name, INVOKE_PROPERTYGET, nullptr, std::move(get), flags),
             detail::Make<S, 1>(id, name, INVOKE_PROPERTYPUT, detail::kPutValueName, std::move(put), flags)}};
}

// A property that is also put by reference (an object such as a font).
template <class G, class S, class SR>
Row<detail::SelfOf<G>> PropertyWithRef(DISPID id, std::u16string_view name, G get, S put, SR putRef,
                                       MemberFlags flags = {}) {
    Row<detail::SelfOf<G>> row = Property(id, name, std::move(get), std::move(put), flags);
    row.members.push_back(
        detail::Make<SR, 1>(id, name, INVOKE_PROPERTYPUTREF, detail::kPutValueName, std::move(putRef), flags));
    return row;
}

template <class Self>
class DispatchTable {
public:
    DispatchTable(IID iid, std::u16string_view name, std::initializer_list<Row<Self>> rows)
        : DispatchTable(iid, name, Flatten(rows)) {}

    const TypeDescription& description() const noexcept { return *desc_; }
    std::shared_ptr<const TypeDescription> shared_description() const noexcept { return desc_; }

    HRESULT GetTypeInfo(unsigned index, ITypeInfo** info) const noexcept {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        try {
            *info = MakeTypeInfo(desc_).Detach();
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT GetIDsOfNames(const BSTR* names, unsigned count, DISPID* ids) const noexcept {
        return desc_->GetIDsOfNames(names, count, ids);
    }

    HRESULT Invoke(Self& self, DISPID id, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) const noexcept {
        int i = index_.Find(id, flags);
        if (i < 0) return DISP_E_MEMBERNOTFOUND;
        const FuncDesc& f = desc_->funcs()[static_cast<std::size_t>(i)];
        try {
            detail::CallFrame frame;
            HRESULT hr = detail::BindArguments(f, params, frame);
            if (FAILED(hr)) return hr;
            if (result && (f.invkind == INVOKE_FUNC || f.invkind == INVOKE_PROPERTYGET)) {
                result->Clear();
                frame.result = result;
            }
            calls_[static_cast<std::size_t>(i)](self, frame);
            return S_OK;
        } catch (const detail::ArgFailure& failure) {
            if (argErr) *argErr = failure.index;
            return failure.hr;
        } catch (...) {
            return ReportCurrentExceptionForInvoke(desc_->name(), excepInfo);
        }
    }

private:
    struct Parts {
        std::vector<FuncDesc> funcs;
        std::vector<std::function<void(Self&, detail::CallFrame&)>> calls;
    };
    static Parts Flatten(std::initializer_list<Row<Self>> rows) {
        Parts p;
        for (const Row<Self>& row : rows)
            for (const Member<Self>& m : row.members) {
                p.funcs.push_back(m.desc);
                p.calls.push_back(m.call);
            }
        return p;
    }
    DispatchTable(IID iid, std::u16string_view name, Parts parts)
        : desc_(std::make_shared<const TypeDescription>(iid, BSTR(name), TypeKind::Dispatch, std::move(parts.funcs))),
          calls_(std::move(parts.calls)),
          index_(desc_->funcs()) {}

    std::shared_ptr<const TypeDescription> desc_;
    std::vector<std::function<void(Self&, detail::CallFrame&)>> calls_;
    detail::MemberIndex index_;
};

}  // namespace platform::com
