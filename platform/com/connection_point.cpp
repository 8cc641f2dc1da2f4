#include "platform/com/connection_point.h"

namespace platform::com {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& owner, const EventTable& events, unsigned maxSinks)
    : owner_(owner), events_(events), maxSinks_(maxSinks) {}

HRESULT ConnectionPoint::QueryInterface(const IID& iid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IUnknown::kIid && iid != IConnectionPoint::kIid) return E_NOINTERFACE;
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

ULONG ConnectionPoint::AddRef() noexcept { return owner_.AddRef(); }
ULONG ConnectionPoint::Release() noexcept { return owner_.Release(); }

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    if (!iid) return E_POINTER;
    *iid = events_.iid();
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
    if (!container) return E_POINTER;
    owner_.AddRef();
    *container = &owner_;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    if (sinks_.size() >= maxSinks_) return CONNECT_E_ADVISELIMIT;
    void* raw = nullptr;
    if (FAILED(sink->QueryInterface(events_.iid(), &raw)) || !raw) return CONNECT_E_CANNOTCONNECT;
    // An event interface is a dispatch interface derived from IDispatch alone,
    // so the pointer for it is an IDispatch pointer.
    ComPtr<IDispatch> dispatch = ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(raw));
    try {
        sinks_.emplace_back(nextCookie_, std::move(dispatch));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) noexcept {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->first == cookie) {
            ComPtr<IDispatch> released = std::move(it->second);  // released after the list is consistent
            sinks_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(std::vector<CONNECTDATA>* connections) noexcept {
    if (!connections) return E_POINTER;
    try {
        connections->clear();
        for (const auto& [cookie, sink] : sinks_)
            connections->push_back(CONNECTDATA{QueryAs<IUnknown>(sink.Get()), cookie});
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

std::vector<ComPtr<IDispatch>> ConnectionPoint::Sinks() const {
    std::vector<ComPtr<IDispatch>> out;
    out.reserve(sinks_.size());
    for (const auto& entry : sinks_) out.push_back(entry.second);
    return out;
}

HRESULT FindConnectionPointIn(std::initializer_list<ConnectionPoint*> points, const IID& iid,
                              IConnectionPoint** point) noexcept {
    if (!point) return E_POINTER;
    *point = nullptr;
    for (ConnectionPoint* p : points) {
        if (p->events().iid() == iid) {
            p->AddRef();
            *point = p;
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT EnumConnectionPointsIn(std::initializer_list<ConnectionPoint*> points,
                               std::vector<ComPtr<IConnectionPoint>>* out) noexcept {
    if (!out) return E_POINTER;
    try {
        out->clear();
        for (ConnectionPoint* p : points) out->push_back(ComPtr<IConnectionPoint>(p));
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace platform::com
