// The root interface. Interfaces are abstract classes whose virtual table is
// the binary contract between modules built by this project (one compiler,
// one standard library), so they may pass standard strings and vectors.
//
// Each interface names its identity as kIid and its parent as Base, so that
// an object answers QueryInterface for the whole chain.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/types.h"

namespace platform::com {

class IUnknown {
public:
    static constexpr IID kIid{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    virtual HRESULT QueryInterface(const IID& iid, void** object) noexcept = 0;
    virtual ULONG AddRef() noexcept = 0;
    virtual ULONG Release() noexcept = 0;

protected:
    // Objects are freed by Release, never deleted through an interface.
    ~IUnknown() = default;
};

inline constexpr const IID& IID_IUnknown = IUnknown::kIid;

}  // namespace platform::com
