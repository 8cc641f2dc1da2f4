// An owning interface pointer: one reference per ComPtr, released when it
// goes. Raw pointers handed over by QueryInterface or CreateInstance already
// carry a reference and are taken with Adopt.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "platform/com/unknown.h"

namespace platform::com {

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}  // NOLINT: null converts, as for any pointer
    // Shares the object: adds a reference of its own.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_) p_->AddRef();
    }
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* p) noexcept {
        ComPtr c;
        c.p_ = p;
        return c;
    }

    ComPtr(const ComPtr& o) noexcept : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(const ComPtr<U>& o) noexcept : ComPtr(static_cast<T*>(o.Get())) {}  // NOLINT: upcast
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(ComPtr<U>&& o) noexcept : p_(o.Detach()) {}  // NOLINT: upcast

    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // Hands the reference to the caller.
    [[nodiscard]] T* Detach() noexcept { return std::exchange(p_, nullptr); }
    // For calls that return an interface through T**.
    T** Put() noexcept {
        Reset();
        return &p_;
    }

    // QueryInterface into another pointer type.
    template <class U>
    HRESULT As(ComPtr<U>* out) const noexcept {
        if (!out) return E_POINTER;
        out->Reset();
        if (!p_) return E_POINTER;
        void* raw = nullptr;
        HRESULT hr = p_->QueryInterface(U::kIid, &raw);
        if (SUCCEEDED(hr)) *out = ComPtr<U>::Adopt(static_cast<U*>(raw));
        return hr;
    }
    template <class U>
    ComPtr<U> As() const noexcept {
        ComPtr<U> out;
        As(&out);
        return out;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

// QueryInterface on a raw pointer, for code that receives one.
template <class U, class T>
ComPtr<U> QueryAs(T* p) noexcept {
    if (!p) return nullptr;
    void* raw = nullptr;
    if (FAILED(p->QueryInterface(U::kIid, &raw))) return nullptr;
    return ComPtr<U>::Adopt(static_cast<U*>(raw));
}

}  // namespace platform::com
