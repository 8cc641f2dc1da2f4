// The function table's members and the dispatch table, both expanded from
// the one member list: each function-table member runs its operation inside
// the exception guard, each dispatch row calls the same operation.
#include "control/activex/tarn_edit_x.h"

#include "control/view/tarn_edit_view.h"

namespace tarnedit {

using com::HRESULT;

namespace {
constexpr com::MemberFlags Shown{};
constexpr com::MemberFlags Hidden = com::Hidden;
constexpr char16_t kSource[] = u"TarnEditX";
}  // namespace

#define TX_W_M(id, Name, flags) \
    HRESULT TTarnEditX::Name() noexcept { return com::Guarded(kSource, [&] { Op_##Name(); }); }
#define TX_W_MR(id, Name, flags, R)                                          \
    HRESULT TTarnEditX::Name(R* result) noexcept {                           \
        if (!result) return com::E_POINTER;                                  \
        *result = R{};                                                       \
        return com::Guarded(kSource, [&] { *result = Op_##Name(); });        \
    }
#define TX_W_MP(id, Name, flags, P, N) \
    HRESULT TTarnEditX::Name(TX_UNPAREN2 P) noexcept { return com::Guarded(kSource, [&] { Op_##Name(TX_UNPAREN2 N); }); }
#define TX_W_MPR(id, Name, flags, R, P, N)                                            \
    HRESULT TTarnEditX::Name(TX_UNPAREN2 P, R* result) noexcept {                     \
        if (!result) return com::E_POINTER;                                           \
        *result = R{};                                                                \
        return com::Guarded(kSource, [&] { *result = Op_##Name(TX_UNPAREN2 N); });    \
    }
#define TX_W_PRO(id, Name, flags, T)                                       \
    HRESULT TTarnEditX::get_##Name(T* value) noexcept {                    \
        if (!value) return com::E_POINTER;                                 \
        *value = T{};                                                      \
        return com::Guarded(kSource, [&] { *value = Get_##Name(); });      \
    }
#define TX_W_P(id, Name, flags, T) \
    TX_W_PRO(id, Name, flags, T)   \
    HRESULT TTarnEditX::put_##Name(T value) noexcept { return com::Guarded(kSource, [&] { Put_##Name(value); }); }
#define TX_W_PREF(id, Name, flags, T) \
    TX_W_P(id, Name, flags, T)        \
    HRESULT TTarnEditX::putref_##Name(T value) noexcept { return com::Guarded(kSource, [&] { PutRef_##Name(value); }); }

TARNEDITX_MEMBERS(TX_W_M, TX_W_MR, TX_W_MP, TX_W_MPR, TX_W_PRO, TX_W_P, TX_W_PREF)

// Parameter names for the type information, from the row's name list.
#define TX_STR(n) u"" #n
#define TX_N1(a) TX_STR(a)
#define TX_N2(a, ...) TX_STR(a), TX_N1(__VA_ARGS__)
#define TX_N3(a, ...) TX_STR(a), TX_N2(__VA_ARGS__)
#define TX_N4(a, ...) TX_STR(a), TX_N3(__VA_ARGS__)
#define TX_N5(a, ...) TX_STR(a), TX_N4(__VA_ARGS__)
#define TX_N6(a, ...) TX_STR(a), TX_N5(__VA_ARGS__)
#define TX_N7(a, ...) TX_STR(a), TX_N6(__VA_ARGS__)
#define TX_N8(a, ...) TX_STR(a), TX_N7(__VA_ARGS__)
#define TX_N9(a, ...) TX_STR(a), TX_N8(__VA_ARGS__)
#define TX_N10(a, ...) TX_STR(a), TX_N9(__VA_ARGS__)
#define TX_PICK(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, M, ...) M
#define TX_NAMES(...) \
    TX_PICK(__VA_ARGS__, TX_N10, TX_N9, TX_N8, TX_N7, TX_N6, TX_N5, TX_N4, TX_N3, TX_N2, TX_N1, none)(__VA_ARGS__)

#define TX_T_M(id, Name, flags) com::Method(id, TX_STR(Name), [](TTarnEditX& self_) { self_.Op_##Name(); }, flags),
#define TX_T_MR(id, Name, flags, R) com::Method(id, TX_STR(Name), [](TTarnEditX& self_) -> R { return self_.Op_##Name(); }, flags),
#define TX_T_MP(id, Name, flags, P, N) \
    com::Method(id, TX_STR(Name), {TX_NAMES N}, [](TTarnEditX& self_, TX_UNPAREN2 P) { self_.Op_##Name(TX_UNPAREN2 N); }, flags),
#define TX_T_MPR(id, Name, flags, R, P, N)                                                                    \
    com::Method(id, TX_STR(Name), {TX_NAMES N},                                                               \
                [](TTarnEditX& self_, TX_UNPAREN2 P) -> R { return self_.Op_##Name(TX_UNPAREN2 N); }, flags),
#define TX_T_PRO(id, Name, flags, T) \
    com::ReadOnlyProperty(id, TX_STR(Name), [](TTarnEditX& self_) -> T { return self_.Get_##Name(); }, flags),
#define TX_T_P(id, Name, flags, T)                                                                            \
    com::Property(id, TX_STR(Name), [](TTarnEditX& self_) -> T { return self_.Get_##Name(); },                        \
                  [](TTarnEditX& self_, T v) { self_.Put_##Name(v); }, flags),
#define TX_T_PREF(id, Name, flags, T)                                                                         \
    com::PropertyWithRef(id, TX_STR(Name), [](TTarnEditX& self_) -> T { return self_.Get_##Name(); },                 \
                         [](TTarnEditX& self_, T v) { self_.Put_##Name(v); }, [](TTarnEditX& self_, T v) { self_.PutRef_##Name(v); }, \
                         flags),

const com::DispatchTable<TTarnEditX>& TTarnEditX::DispatchMembers() {
    static const com::DispatchTable<TTarnEditX> table(IID_ITarnEditX, u"ITarnEditX", {
        TARNEDITX_MEMBERS(TX_T_M, TX_T_MR, TX_T_MP, TX_T_MPR, TX_T_PRO, TX_T_P, TX_T_PREF)
    });
    return table;
}

}  // namespace tarnedit
