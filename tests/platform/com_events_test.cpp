#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/connection_point.h"
#include "platform/com/dispatch_impl.h"
#include "platform/com/object.h"

namespace com = platform::com;

namespace {

struct ISourceEvents : com::IDispatch {
    static constexpr com::IID kIid{0x7C21D0A4, 0x6E0B, 0x4F56, {0xA1, 0x3D, 0x02, 0x9B, 0x6F, 0x44, 0x10, 0x01}};
    using Base = com::IDispatch;
};

const com::EventTable& SourceEvents() {
    static const com::EventTable table(ISourceEvents::kIid, u"ISourceEvents", {
        com::Event(202, u"OnChange"),
        com::Event(203, u"OnKeyPress", {com::InOut<std::int16_t>(u"Key")}),
        com::Event(209, u"OnManualStartDrag", {com::In<com::BSTR>(u"SelectStr"), com::InOut<bool>(u"CanDrag")}),
        com::Event(217, u"OnFind", {com::In<com::BSTR>(u"Str"), com::In<std::int32_t>(u"index"),
                                    com::InOut<std::int32_t>(u"x"), com::InOut<std::int32_t>(u"len")}),
    });
    return table;
}

// A host's sink, built with the same table machinery a control uses.
class Sink final : public com::ComObject<Sink, com::DispatchImpl<Sink, ISourceEvents>> {
public:
    static const com::DispatchTable<Sink>& DispatchMembers() {
        static const com::DispatchTable<Sink> table(ISourceEvents::kIid, u"ISourceEvents", {
            com::Method(202, u"OnChange", [](Sink& s) {
                s.log.push_back("change");
                if (s.leaveFrom) s.leaveFrom->Unadvise(s.cookie);
            }),
            com::Method(203, u"OnKeyPress", {u"Key"}, [](Sink& s, std::int16_t& key) {
                s.log.push_back("key " + std::to_string(key));
                key = static_cast<std::int16_t>(key + 1);
            }),
            com::Method(209, u"OnManualStartDrag", {u"SelectStr", u"CanDrag"},
                        [](Sink& s, const com::BSTR& text, bool& canDrag) {
                            s.log.push_back("drag " + std::to_string(text.size()));
                            canDrag = false;
                        }),
        });
        return table;
    }
    std::vector<std::string> log;
    com::ConnectionPoint* leaveFrom = nullptr;  // disconnects itself on OnChange
    com::DWORD cookie = 0;
};

// A sink that implements only IDispatch, not the event interface.
class Stranger final : public com::ComObject<Stranger, com::DispatchImpl<Stranger>> {
public:
    static const com::DispatchTable<Stranger>& DispatchMembers() {
        static const com::DispatchTable<Stranger> table(com::IID_IDispatch, u"IDispatch", {});
        return table;
    }
};

class Source final : public com::ComObject<Source, com::IConnectionPointContainer> {
public:
    explicit Source(unsigned maxSinks = com::ConnectionPoint::kUnlimited) : events(*this, SourceEvents(), maxSinks) {}

    com::HRESULT EnumConnectionPoints(std::vector<com::ComPtr<com::IConnectionPoint>>* points) noexcept override {
        return com::EnumConnectionPointsIn({&events}, points);
    }
    com::HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) noexcept override {
        return com::FindConnectionPointIn({&events}, iid, point);
    }

    com::ConnectionPoint events;
};

com::ComPtr<com::IConnectionPoint> FindPoint(Source* source) {
    com::ComPtr<com::IConnectionPoint> point;
    EXPECT_EQ(source->FindConnectionPoint(ISourceEvents::kIid, point.Put()), com::S_OK);
    return point;
}

}  // namespace

TEST(ConnectionPoints, FindAndEnumerate) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<com::IConnectionPoint> point = FindPoint(source.Get());
    ASSERT_TRUE(point);
    com::IID iid;
    ASSERT_EQ(point->GetConnectionInterface(&iid), com::S_OK);
    EXPECT_EQ(iid, ISourceEvents::kIid);
    com::ComPtr<com::IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(back.Put()), com::S_OK);
    EXPECT_EQ(back.Get(), static_cast<com::IConnectionPointContainer*>(source.Get()));

    com::IConnectionPoint* missing = nullptr;
    EXPECT_EQ(source->FindConnectionPoint(com::IID_IDispatch, &missing), com::CONNECT_E_NOCONNECTION);
    std::vector<com::ComPtr<com::IConnectionPoint>> all;
    ASSERT_EQ(source->EnumConnectionPoints(&all), com::S_OK);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].Get(), point.Get());
}

TEST(ConnectionPoints, APointKeepsItsContainerAlive) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<com::IConnectionPoint> point = FindPoint(source.Get());
    source.Reset();
    // The container is still there: the point's references are its own.
    com::ComPtr<com::IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(back.Put()), com::S_OK);
    EXPECT_TRUE(back);
}

TEST(ConnectionPoints, FiringWithoutSinksIsDropped) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    std::int16_t key = 'a';
    EXPECT_FALSE(source->events.HasSinks());
    EXPECT_EQ(source->events.Fire(203, com::ByRef(key)), com::S_OK);
    EXPECT_EQ(key, 'a');
}

TEST(ConnectionPoints, AdviseFireUnadvise) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<Sink> sink = com::MakeObject<Sink>();
    com::ComPtr<com::IConnectionPoint> point = FindPoint(source.Get());
    com::DWORD cookie = 0;
    ASSERT_EQ(point->Advise(sink.Get(), &cookie), com::S_OK);
    EXPECT_NE(cookie, 0u);

    EXPECT_EQ(source->events.Fire(202), com::S_OK);
    std::int16_t key = 'a';
    EXPECT_EQ(source->events.Fire(203, com::ByRef(key)), com::S_OK);
    EXPECT_EQ(key, 'b');  // the sink's answer came back
    bool canDrag = true;
    EXPECT_EQ(source->events.Fire(209, u"selected", com::ByRef(canDrag)), com::S_OK);
    EXPECT_FALSE(canDrag);
    EXPECT_EQ(sink->log, (std::vector<std::string>{"change", "key 97", "drag 8"}));

    std::vector<com::CONNECTDATA> connections;
    ASSERT_EQ(point->EnumConnections(&connections), com::S_OK);
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(connections[0].dwCookie, cookie);

    EXPECT_EQ(point->Unadvise(cookie + 1), com::CONNECT_E_NOCONNECTION);
    ASSERT_EQ(point->Unadvise(cookie), com::S_OK);
    EXPECT_EQ(point->Unadvise(cookie), com::CONNECT_E_NOCONNECTION);
    EXPECT_EQ(source->events.Fire(202), com::S_OK);
    EXPECT_EQ(sink->log.size(), 3u);
}

TEST(ConnectionPoints, AnUnhandledEventLeavesInOutValues) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<Sink> sink = com::MakeObject<Sink>();
    com::DWORD cookie = 0;
    ASSERT_EQ(source->events.Advise(sink.Get(), &cookie), com::S_OK);
    std::int32_t x = -1, len = 0;
    EXPECT_EQ(source->events.Fire(217, u"text", std::int32_t{0}, com::ByRef(x), com::ByRef(len)), com::S_OK);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(len, 0);
}

TEST(ConnectionPoints, InOutValuesPassFromSinkToSink) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<Sink> first = com::MakeObject<Sink>(), second = com::MakeObject<Sink>();
    com::DWORD c1 = 0, c2 = 0;
    ASSERT_EQ(source->events.Advise(first.Get(), &c1), com::S_OK);
    ASSERT_EQ(source->events.Advise(second.Get(), &c2), com::S_OK);
    EXPECT_NE(c1, c2);
    std::int16_t key = 10;
    ASSERT_EQ(source->events.Fire(203, com::ByRef(key)), com::S_OK);
    EXPECT_EQ(key, 12);
    EXPECT_EQ(second->log, (std::vector<std::string>{"key 11"}));
}

TEST(ConnectionPoints, RefusesSinksWithoutTheEventInterfaceAndBeyondTheLimit) {
    com::ComPtr<Source> source = com::MakeObject<Source>(1u);
    com::ComPtr<Stranger> stranger = com::MakeObject<Stranger>();
    com::DWORD cookie = 7;
    EXPECT_EQ(source->events.Advise(stranger.Get(), &cookie), com::CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(source->events.Advise(nullptr, &cookie), com::E_POINTER);

    com::ComPtr<Sink> a = com::MakeObject<Sink>(), b = com::MakeObject<Sink>();
    ASSERT_EQ(source->events.Advise(a.Get(), &cookie), com::S_OK);
    com::DWORD second = 0;
    EXPECT_EQ(source->events.Advise(b.Get(), &second), com::CONNECT_E_ADVISELIMIT);
}

TEST(ConnectionPoints, ArgumentsThatDoNotMatchTheEventRowAreRefused) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<Sink> sink = com::MakeObject<Sink>();
    com::DWORD cookie = 0;
    ASSERT_EQ(source->events.Advise(sink.Get(), &cookie), com::S_OK);
    std::int32_t wide = 1;
    std::int16_t key = 1;
    EXPECT_EQ(source->events.Fire(203, com::ByRef(wide)), com::E_INVALIDARG);  // Key is a short
    EXPECT_EQ(source->events.Fire(203, key), com::E_INVALIDARG);               // and in/out
    EXPECT_EQ(source->events.Fire(202, key), com::E_INVALIDARG);               // OnChange takes nothing
    EXPECT_EQ(source->events.Fire(999), com::E_INVALIDARG);
    EXPECT_TRUE(sink->log.empty());
}

TEST(ConnectionPoints, ASinkMayDisconnectWhileAnEventIsRaised) {
    com::ComPtr<Source> source = com::MakeObject<Source>();
    com::ComPtr<Sink> leaving = com::MakeObject<Sink>(), staying = com::MakeObject<Sink>();
    ASSERT_EQ(source->events.Advise(leaving.Get(), &leaving->cookie), com::S_OK);
    com::DWORD cookie = 0;
    ASSERT_EQ(source->events.Advise(staying.Get(), &cookie), com::S_OK);
    leaving->leaveFrom = &source->events;
    Sink* raw = leaving.Get();
    leaving.Reset();  // the connection holds the last reference, dropped inside the call
    ASSERT_EQ(source->events.Fire(202), com::S_OK);
    EXPECT_EQ(staying->log, (std::vector<std::string>{"change"}));
    EXPECT_EQ(source->events.Sinks().size(), 1u);
    EXPECT_NE(source->events.Sinks()[0].Get(), static_cast<com::IDispatch*>(raw));
}

TEST(EventTable, DescribesTheOutgoingInterface) {
    com::ComPtr<com::ITypeInfo> info;
    ASSERT_EQ(SourceEvents().GetTypeInfo(info.Put()), com::S_OK);
    com::TypeAttr attr;
    ASSERT_EQ(info->GetTypeAttr(&attr), com::S_OK);
    EXPECT_EQ(attr.kind, com::TypeKind::Source);
    EXPECT_EQ(attr.cFuncs, 4u);
    com::FuncDesc f;
    ASSERT_EQ(info->GetFuncDesc(3, &f), com::S_OK);
    EXPECT_EQ(f.name, u"OnFind");
    ASSERT_EQ(f.params.size(), 4u);
    EXPECT_EQ(f.params[1].vt, com::VT_I4);
    EXPECT_EQ(f.params[2].vt, com::VT_I4 | com::VT_BYREF);
}
