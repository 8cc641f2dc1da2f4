#include "platform/com/variant.h"

namespace platform::com {

// Out of line so that the interface headers need not be complete wherever
// a variant is merely declared.
Variant::Variant(const Variant&) = default;
Variant::Variant(Variant&&) noexcept = default;
Variant& Variant::operator=(const Variant&) = default;
Variant& Variant::operator=(Variant&&) noexcept = default;
Variant::~Variant() = default;

Variant Variant::Bstr(BSTR v) { return Variant(VT_BSTR, std::move(v)); }
Variant Variant::Dispatch(ComPtr<IDispatch> v) { return Variant(VT_DISPATCH, std::move(v)); }
Variant Variant::Unknown(ComPtr<IUnknown> v) { return Variant(VT_UNKNOWN, std::move(v)); }

void Variant::Clear() noexcept {
    vt_ = VT_EMPTY;
    storage_ = std::monostate{};
}

Variant Variant::Deref() const {
    const Pointer* p = std::get_if<Pointer>(&storage_);
    if (!p) return *this;
    return std::visit(
        [&](auto* target) -> Variant {
            if (!target) return Variant();
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, Variant>) {
                return target->IsByRef() ? Variant() : *target;
            } else {
                Variant v;
                v.vt_ = BaseType();
                v.storage_ = *target;
                return v;
            }
        },
        *p);
}

}  // namespace platform::com
