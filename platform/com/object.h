// The reference-counted base of every object this runtime implements:
//
//     class Sink : public ComObject<Sink, IDispatch> { ... };
//     ComPtr<Sink> s = MakeObject<Sink>(args...);
//
// It answers QueryInterface for IUnknown and for each listed interface and
// its parents, counts references and frees the object when the last one is
// released. An object counts toward its module's live objects (what
// DllCanUnloadNow asks) unless it declares
// `static constexpr bool kCountsTowardModule = false;`, as class factories
// do. A class may add identities through
// `void* QueryExtra(const IID&) noexcept`, returning an interface pointer of
// itself or null; the base adds the reference.
#pragma once

#include <atomic>
#include <utility>

#include "platform/com/comptr.h"
#include "platform/com/module.h"

namespace platform::com {
namespace detail {

template <class I>
bool AnswersFor(const IID& iid) noexcept {
    if (iid == I::kIid) return true;
    if constexpr (requires { typename I::Base; })
        return AnswersFor<typename I::Base>(iid);
    else
        return false;
}

template <class First, class...>
struct FirstOf {
    using type = First;
};

}  // namespace detail

template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid == IUnknown::kIid) {
            *object = static_cast<IUnknown*>(static_cast<Primary*>(this));
        } else {
            // The first listed interface that answers wins.
            ((*object = *object ? *object : CastTo<Interfaces>(iid)), ...);
            if constexpr (requires(Derived& d) { d.QueryExtra(iid); }) {
                if (*object == nullptr) *object = static_cast<Derived*>(this)->QueryExtra(iid);
            }
            if (*object == nullptr) return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    ULONG AddRef() noexcept override { return ++refs_; }

    ULONG Release() noexcept override {
        ULONG left = --refs_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    ComObject() noexcept {
        if (CountsTowardModule()) ModuleObjectAdded();
    }
    ~ComObject() {
        if (CountsTowardModule()) ModuleObjectRemoved();
    }

private:
    // Cast from this, so that the pointer handed out is the sub-object of
    // that interface.
    template <class I>
    void* CastTo(const IID& iid) noexcept {
        return detail::AnswersFor<I>(iid) ? static_cast<I*>(this) : nullptr;
    }

    using Primary = typename detail::FirstOf<Interfaces...>::type;

    static constexpr bool CountsTowardModule() noexcept {
        if constexpr (requires { Derived::kCountsTowardModule; })
            return Derived::kCountsTowardModule;
        else
            return true;
    }

    std::atomic<ULONG> refs_{0};
};

// A new object and the first reference to it.
template <class T, class... Args>
ComPtr<T> MakeObject(Args&&... args) {
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace platform::com
