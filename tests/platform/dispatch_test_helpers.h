// Calling an IDispatch the way a host does: arguments listed in declaration
// order, reversed into DISPPARAMS here.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/com/dispatch.h"
#include "platform/com/variant.h"

namespace testing_com {

namespace com = platform::com;

struct CallResult {
    com::HRESULT hr = com::S_OK;
    com::Variant result;
    com::EXCEPINFO excep;
    unsigned argErr = 0xFFFFFFFF;
};

inline CallResult Call(com::IDispatch* d, com::DISPID id, std::uint16_t flags, std::vector<com::Variant> args = {}) {
    std::reverse(args.begin(), args.end());
    com::DISPPARAMS params{args.data(), nullptr, static_cast<unsigned>(args.size()), 0};
    CallResult r;
    r.hr = d->Invoke(id, flags, &params, &r.result, &r.excep, &r.argErr);
    return r;
}

inline CallResult CallMethod(com::IDispatch* d, com::DISPID id, std::vector<com::Variant> args = {}) {
    return Call(d, id, com::DISPATCH_METHOD, std::move(args));
}

inline CallResult Get(com::IDispatch* d, com::DISPID id) {
    return Call(d, id, com::DISPATCH_PROPERTYGET | com::DISPATCH_METHOD);
}

inline CallResult Put(com::IDispatch* d, com::DISPID id, com::Variant value,
                      std::uint16_t flags = com::DISPATCH_PROPERTYPUT) {
    static const com::DISPID kNamed = com::DISPID_PROPERTYPUT;
    com::DISPPARAMS params{&value, &kNamed, 1, 1};
    CallResult r;
    r.hr = d->Invoke(id, flags, &params, &r.result, &r.excep, &r.argErr);
    return r;
}

inline com::DISPID IdOf(com::IDispatch* d, const com::BSTR& name) {
    com::DISPID id = 0;
    if (com::FAILED(d->GetIDsOfNames(&name, 1, &id))) return com::DISPID_UNKNOWN;
    return id;
}

}  // namespace testing_com
