// Outgoing interfaces: a source object offers one connection point per
// event interface; hosts Advise their sinks on it and get a cookie back to
// Unadvise with. Events are dispatch interfaces: a sink must answer
// QueryInterface for the event interface's IID, and what it returns is
// called through IDispatch::Invoke.
#pragma once

#include <cstdint>
#include <limits>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/com/event_table.h"
#include "platform/com/outgoing.h"

namespace platform::com {

class IConnectionPointContainer;

struct CONNECTDATA {
    ComPtr<IUnknown> pUnk;
    DWORD dwCookie = 0;
};

class IConnectionPoint : public IUnknown {
public:
    static constexpr IID kIid{0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
    using Base = IUnknown;

    virtual HRESULT GetConnectionInterface(IID* iid) noexcept = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) noexcept = 0;
    virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) noexcept = 0;
    virtual HRESULT Unadvise(DWORD cookie) noexcept = 0;
    virtual HRESULT EnumConnections(std::vector<CONNECTDATA>* connections) noexcept = 0;

protected:
    ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown {
public:
    static constexpr IID kIid{0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
    using Base = IUnknown;

    virtual HRESULT EnumConnectionPoints(std::vector<ComPtr<IConnectionPoint>>* points) noexcept = 0;
    virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) noexcept = 0;

protected:
    ~IConnectionPointContainer() = default;
};

inline constexpr const IID& IID_IConnectionPoint = IConnectionPoint::kIid;
inline constexpr const IID& IID_IConnectionPointContainer = IConnectionPointContainer::kIid;

// A connection point held as a member of its container. It has no count of
// its own: references to it are references to the container, so it lives
// exactly as long as the object whose events it carries.
class ConnectionPoint final : public IConnectionPoint {
public:
    static constexpr unsigned kUnlimited = std::numeric_limits<unsigned>::max();

    // `events` must outlive the point (tables are static).
    ConnectionPoint(IConnectionPointContainer& owner, const EventTable& events, unsigned maxSinks = kUnlimited);
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;
    ~ConnectionPoint() = default;

    HRESULT QueryInterface(const IID& iid, void** object) noexcept override;
    ULONG AddRef() noexcept override;
    ULONG Release() noexcept override;

    HRESULT GetConnectionInterface(IID* iid) noexcept override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
    HRESULT Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT Unadvise(DWORD cookie) noexcept override;
    HRESULT EnumConnections(std::vector<CONNECTDATA>* connections) noexcept override;

    bool HasSinks() const noexcept { return !sinks_.empty(); }
    const EventTable& events() const noexcept { return events_; }

    // Raises an event on every connected sink, in the order they connected;
    // in/out values pass from one sink to the next. With no sink it does
    // nothing and returns S_OK. Arguments that do not match the event's row
    // are refused with E_INVALIDARG, a sink's failure is returned after
    // the others have been called.
    template <class... Args>
    HRESULT Fire(DISPID id, Args&&... args) noexcept {
        if (sinks_.empty()) return S_OK;
        const FuncDesc* desc = events_.Find(id);
        if (!desc || !ArgumentsMatch<Args...>(*desc)) return E_INVALIDARG;
        std::vector<ComPtr<IDispatch>> sinks;
        try {
            sinks = Sinks();
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        HRESULT first = S_OK;
        for (const ComPtr<IDispatch>& sink : sinks) {
            HRESULT hr = CallSink(sink.Get(), id, args...);
            // A sink without a handler for this event is not a failure.
            if (FAILED(hr) && hr != DISP_E_MEMBERNOTFOUND && SUCCEEDED(first)) first = hr;
        }
        return first;
    }

    // A snapshot, so that a sink may disconnect while an event is raised.
    std::vector<ComPtr<IDispatch>> Sinks() const;

private:
    IConnectionPointContainer& owner_;
    const EventTable& events_;
    unsigned maxSinks_;
    DWORD nextCookie_ = 1;
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
};

// IConnectionPointContainer's two members over an object's points:
//     return FindConnectionPointIn({&events_}, iid, point);
HRESULT FindConnectionPointIn(std::initializer_list<ConnectionPoint*> points, const IID& iid,
                              IConnectionPoint** point) noexcept;
HRESULT EnumConnectionPointsIn(std::initializer_list<ConnectionPoint*> points,
                               std::vector<ComPtr<IConnectionPoint>>* out) noexcept;

}  // namespace platform::com
