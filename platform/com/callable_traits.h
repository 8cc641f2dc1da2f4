// The signature of a dispatch member's implementation: a member function of
// the object, or a function or lambda whose first parameter is the object.
#pragma once

#include <type_traits>

namespace platform::com::detail {

template <class... A>
struct TypeList {
    static constexpr std::size_t size = sizeof...(A);
};

template <class R, class S, class... A>
struct Signature {
    using Result = R;
    using Self = std::remove_const_t<S>;
    using Args = TypeList<A...>;
};

template <class F, class = void>
struct CallableTraits;

template <class R, class S, class... A>
struct CallableTraits<R (*)(S&, A...)> : Signature<R, S, A...> {};
template <class R, class S, class... A>
struct CallableTraits<R (*)(S&, A...) noexcept> : Signature<R, S, A...> {};

template <class R, class C, class... A>
struct CallableTraits<R (C::*)(A...)> : Signature<R, C, A...> {};
template <class R, class C, class... A>
struct CallableTraits<R (C::*)(A...) const> : Signature<R, const C, A...> {};
template <class R, class C, class... A>
struct CallableTraits<R (C::*)(A...) noexcept> : Signature<R, C, A...> {};
template <class R, class C, class... A>
struct CallableTraits<R (C::*)(A...) const noexcept> : Signature<R, const C, A...> {};

// A lambda's call operator, with the lambda itself dropped.
template <class M>
struct LambdaTraits;
template <class R, class L, class S, class... A>
struct LambdaTraits<R (L::*)(S&, A...) const> : Signature<R, S, A...> {};
template <class R, class L, class S, class... A>
struct LambdaTraits<R (L::*)(S&, A...)> : Signature<R, S, A...> {};
template <class R, class L, class S, class... A>
struct LambdaTraits<R (L::*)(S&, A...) const noexcept> : Signature<R, S, A...> {};
template <class R, class L, class S, class... A>
struct LambdaTraits<R (L::*)(S&, A...) noexcept> : Signature<R, S, A...> {};

template <class F>
struct CallableTraits<F, std::void_t<decltype(&F::operator())>> : LambdaTraits<decltype(&F::operator())> {};

template <class F>
using SelfOf = typename CallableTraits<std::decay_t<F>>::Self;

}  // namespace platform::com::detail
