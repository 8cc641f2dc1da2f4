// The cost of a late-bound call and of an event raised to one sink: the
// control raises an owner-draw event for every painted stretch, so these
// sit on the painting path.
#include <benchmark/benchmark.h>

#include "platform/com/connection_point.h"
#include "platform/com/dispatch_impl.h"
#include "platform/com/late_bound.h"
#include "platform/com/object.h"

namespace com = platform::com;

namespace {

struct IBench : com::IDispatch {
    static constexpr com::IID kIid{0x2E5C9B31, 0x7A14, 0x4D0C, {0x93, 0x5E, 0x18, 0x2F, 0x6A, 0x70, 0x01, 0x01}};
    using Base = com::IDispatch;
};

class Target final : public com::ComObject<Target, com::DispatchImpl<Target, IBench>> {
public:
    static const com::DispatchTable<Target>& DispatchMembers() {
        static const com::DispatchTable<Target> table(IBench::kIid, u"IBench", {
            com::Method(1, u"Draw", {u"L1", u"L2", u"dx1", u"dy1", u"dx2", u"dy2"},
                        [](Target& t, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t e,
                           std::int32_t f) { t.sum += a + b + c + d + e + f; }),
            com::Method(2, u"Key", {u"Key"}, [](Target&, std::int16_t& key) { ++key; }),
        });
        return table;
    }
    std::int64_t sum = 0;
};

const com::EventTable& Events() {
    static const com::EventTable table(IBench::kIid, u"IBench", {
        com::Event(1, u"Draw", {com::In<std::int32_t>(u"L1"), com::In<std::int32_t>(u"L2"), com::In<std::int32_t>(u"dx1"),
                                com::In<std::int32_t>(u"dy1"), com::In<std::int32_t>(u"dx2"), com::In<std::int32_t>(u"dy2")}),
        com::Event(2, u"Key", {com::InOut<std::int16_t>(u"Key")}),
    });
    return table;
}

class Source final : public com::ComObject<Source, com::IConnectionPointContainer> {
public:
    Source() : events(*this, Events()) {}
    com::HRESULT EnumConnectionPoints(std::vector<com::ComPtr<com::IConnectionPoint>>* p) noexcept override {
        return com::EnumConnectionPointsIn({&events}, p);
    }
    com::HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** p) noexcept override {
        return com::FindConnectionPointIn({&events}, iid, p);
    }
    com::ConnectionPoint events;
};

void BM_InvokeSixLongs(benchmark::State& state) {
    com::ComPtr<Target> t = com::MakeObject<Target>();
    for (auto _ : state) {
        com::HRESULT hr = com::CallMethod(t.Get(), 1, 1, 2, 3, 4, 5, 6);
        benchmark::DoNotOptimize(hr);
    }
}
BENCHMARK(BM_InvokeSixLongs);

void BM_FireInOutToOneSink(benchmark::State& state) {
    com::ComPtr<Source> s = com::MakeObject<Source>();
    com::ComPtr<Target> sink = com::MakeObject<Target>();
    com::DWORD cookie = 0;
    s->events.Advise(sink.Get(), &cookie);
    std::int16_t key = 0;
    for (auto _ : state) {
        com::HRESULT hr = s->events.Fire(2, com::ByRef(key));
        benchmark::DoNotOptimize(hr);
    }
}
BENCHMARK(BM_FireInOutToOneSink);

void BM_FireWithNoSink(benchmark::State& state) {
    com::ComPtr<Source> s = com::MakeObject<Source>();
    for (auto _ : state) {
        com::HRESULT hr = s->events.Fire(1, 1, 2, 3, 4, 5, 6);
        benchmark::DoNotOptimize(hr);
    }
}
BENCHMARK(BM_FireWithNoSink);

}  // namespace
