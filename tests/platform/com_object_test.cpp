#include <gtest/gtest.h>

#include "platform/com/dispatch.h"
#include "platform/com/module.h"
#include "platform/com/object.h"

namespace com = platform::com;
using com::ComPtr;

namespace {

struct IFirst : com::IUnknown {
    static constexpr com::IID kIid{0x1D6A0C01, 0x2B1E, 0x4C8F, {0x9A, 0x11, 0x5E, 0x01, 0x22, 0x33, 0x44, 0x01}};
    using Base = com::IUnknown;
    virtual int First() noexcept = 0;
};
struct ISecond : com::IDispatch {
    static constexpr com::IID kIid{0x1D6A0C02, 0x2B1E, 0x4C8F, {0x9A, 0x11, 0x5E, 0x01, 0x22, 0x33, 0x44, 0x02}};
    using Base = com::IDispatch;
    virtual int Second() noexcept = 0;
};

class Counted final : public com::ComObject<Counted, IFirst, ISecond> {
public:
    explicit Counted(int* destroyed) : destroyed_(destroyed) {}
    ~Counted() { ++*destroyed_; }
    int First() noexcept override { return 1; }
    int Second() noexcept override { return 2; }
    com::HRESULT GetTypeInfoCount(unsigned*) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT GetTypeInfo(unsigned, com::ITypeInfo**) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT GetIDsOfNames(const com::BSTR*, unsigned, com::DISPID*) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT Invoke(com::DISPID, std::uint16_t, com::DISPPARAMS*, com::Variant*, com::EXCEPINFO*,
                        unsigned*) noexcept override {
        return com::E_NOTIMPL;
    }

private:
    int* destroyed_;
};

}  // namespace

TEST(ComObject, IsFreedExactlyWhenTheLastReferenceGoes) {
    int destroyed = 0;
    Counted* raw = new Counted(&destroyed);
    EXPECT_EQ(raw->AddRef(), 1u);
    EXPECT_EQ(raw->AddRef(), 2u);
    EXPECT_EQ(raw->Release(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(raw->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, QueryInterfaceAnswersEachInterfaceAndItsParents) {
    int destroyed = 0;
    {
        ComPtr<Counted> obj = com::MakeObject<Counted>(&destroyed);
        ComPtr<IFirst> first = obj.As<IFirst>();
        ComPtr<ISecond> second = obj.As<ISecond>();
        ComPtr<com::IDispatch> dispatch = obj.As<com::IDispatch>();
        ASSERT_TRUE(first && second && dispatch);
        EXPECT_EQ(first->First(), 1);
        EXPECT_EQ(second->Second(), 2);
        // The IDispatch answer is the ISecond sub-object, not the IFirst one.
        EXPECT_EQ(static_cast<com::IDispatch*>(second.Get()), dispatch.Get());

        // One identity: IUnknown is the same pointer whichever interface asks.
        ComPtr<com::IUnknown> u1 = first.As<com::IUnknown>();
        ComPtr<com::IUnknown> u2 = second.As<com::IUnknown>();
        EXPECT_EQ(u1.Get(), u2.Get());

        void* none = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(obj->QueryInterface(com::IID{0xDEADBEEF, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}, &none), com::E_NOINTERFACE);
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(obj->QueryInterface(IFirst::kIid, nullptr), com::E_POINTER);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ComPtr, CopiesAddReferencesAndMovesDoNot) {
    int destroyed = 0;
    Counted* raw = nullptr;
    {
        ComPtr<Counted> a = com::MakeObject<Counted>(&destroyed);
        raw = a.Get();
        ComPtr<Counted> b = a;
        EXPECT_EQ(raw->AddRef(), 3u);
        raw->Release();
        ComPtr<Counted> c = std::move(a);
        EXPECT_FALSE(a);
        EXPECT_EQ(raw->AddRef(), 3u);
        raw->Release();
        ComPtr<IFirst> up = c;  // upcast shares
        b.Reset();
        c = nullptr;
        EXPECT_EQ(destroyed, 0);
        Counted* detached = static_cast<Counted*>(up.Detach());
        EXPECT_EQ(destroyed, 0);
        ComPtr<Counted> adopted = ComPtr<Counted>::Adopt(detached);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, CountsTowardTheModuleWhileAlive) {
    int destroyed = 0;
    const long before = com::ModuleObjectCount();
    ComPtr<Counted> obj = com::MakeObject<Counted>(&destroyed);
    EXPECT_EQ(com::ModuleObjectCount(), before + 1);
    EXPECT_EQ(com::ModuleCanUnloadNow(), com::S_FALSE);
    obj.Reset();
    EXPECT_EQ(com::ModuleObjectCount(), before);
}
