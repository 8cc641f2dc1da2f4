#include <gtest/gtest.h>

#include <unordered_set>

#include "platform/com/class_factory.h"
#include "platform/com/connection_point.h"
#include "platform/com/hresult.h"
#include "platform/com/type_info.h"

namespace com = platform::com;

TEST(Guid, ParsesAndFormatsTheRegistryForm) {
    auto g = com::ParseGuid("{00020400-0000-0000-c000-000000000046}");
    ASSERT_TRUE(g);
    EXPECT_EQ(*g, com::IID_IDispatch);
    EXPECT_EQ(com::FormatGuid(*g), "{00020400-0000-0000-C000-000000000046}");
    EXPECT_EQ(com::FormatGuidU16(com::IID_IConnectionPoint), u"{B196B286-BAB4-101A-B69C-00AA00341D07}");
    EXPECT_EQ(com::ParseGuid(u"B196B284-BAB4-101A-B69C-00AA00341D07"), com::IID_IConnectionPointContainer);
}

TEST(Guid, RejectsMalformedText) {
    for (const char* bad : {"", "{}", "{00020400-0000-0000-C000-00000000004}", "{00020400-0000-0000-C000-0000000000467}",
                            "{00020400+0000-0000-C000-000000000046}", "{0002040G-0000-0000-C000-000000000046}",
                            "(00020400-0000-0000-C000-000000000046)", "{00020400-0000-0000-C000-000000000046"})
        EXPECT_FALSE(com::ParseGuid(bad)) << bad;
}

TEST(Guid, WellKnownInterfacesHaveTheSystemsIdentities) {
    EXPECT_EQ(com::FormatGuid(com::IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    EXPECT_EQ(com::FormatGuid(com::IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
    EXPECT_EQ(com::FormatGuid(com::IID_ITypeInfo), "{00020401-0000-0000-C000-000000000046}");
    EXPECT_EQ(com::FormatGuid(com::IID_IConnectionPointContainer), "{B196B284-BAB4-101A-B69C-00AA00341D07}");
}

TEST(Guid, OrdersAndHashesByValue) {
    std::unordered_set<com::GUID> set{com::IID_IUnknown, com::IID_IDispatch, com::IID_IDispatch};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_LT(com::IID_IUnknown, com::IID_IDispatch);
    EXPECT_NE(com::HashGuid(com::IID_IUnknown), com::HashGuid(com::IID_IDispatch));
}

TEST(HResult, NumericValuesAreTheSystems) {
    EXPECT_EQ(static_cast<std::uint32_t>(com::E_UNEXPECTED), 0x8000FFFFu);
    EXPECT_EQ(static_cast<std::uint32_t>(com::DISP_E_MEMBERNOTFOUND), 0x80020003u);
    EXPECT_EQ(static_cast<std::uint32_t>(com::REGDB_E_CLASSNOTREG), 0x80040154u);
    EXPECT_EQ(static_cast<std::uint32_t>(com::HRESULT_FROM_WIN32(126)), 0x8007007Eu);
    EXPECT_TRUE(com::SUCCEEDED(com::S_FALSE));
    EXPECT_TRUE(com::FAILED(com::E_FAIL));
    EXPECT_EQ(com::DISPID_TEXT, -517);
    EXPECT_EQ(com::DISPID_PROPERTYPUT, -3);
    EXPECT_EQ(com::VARIANT_TRUE, -1);
}
