#include <gtest/gtest.h>

#include "platform/com/coerce.h"

namespace com = platform::com;
using com::Variant;

namespace {

com::HRESULT Change(const Variant& src, com::VARTYPE vt, Variant* out) { return com::VariantChangeType(*out, src, vt); }

}  // namespace

TEST(Variant, TagsSayWhatSharedRepresentationsMean) {
    EXPECT_EQ(Variant().vt(), com::VT_EMPTY);
    EXPECT_EQ(Variant::Bool(true).vt(), com::VT_BOOL);
    EXPECT_EQ(*Variant::Bool(true).If<std::int16_t>(), com::VARIANT_TRUE);
    EXPECT_EQ(Variant::I2(5).vt(), com::VT_I2);
    EXPECT_EQ(Variant::Error(com::E_FAIL).vt(), com::VT_ERROR);
    EXPECT_EQ(Variant::Int(1).vt(), com::VT_INT);
    EXPECT_EQ(Variant::Color(com::Rgb(1, 2, 3)).vt(), com::VT_UI4);
    EXPECT_EQ(*Variant::Color(com::Rgb(1, 2, 3)).If<std::uint32_t>(), 0x030201u);
}

TEST(Variant, ByReferencePointsAtTheCallersStorage) {
    std::int32_t n = 4;
    Variant ref = Variant::Ref(n);
    EXPECT_EQ(ref.vt(), com::VT_I4 | com::VT_BYREF);
    *ref.Target<std::int32_t>() = 9;
    EXPECT_EQ(n, 9);
    EXPECT_EQ(ref.Deref().vt(), com::VT_I4);
    EXPECT_EQ(*ref.Deref().If<std::int32_t>(), 9);

    com::VARIANT_BOOL b = com::VARIANT_FALSE;
    Variant bref = Variant::Ref(b, com::VT_BOOL);
    EXPECT_EQ(bref.vt(), com::VT_BOOL | com::VT_BYREF);
    EXPECT_EQ(bref.Target<std::int32_t>(), nullptr);  // wrong representation finds nothing

    Variant inner = Variant::Bstr(u"x");
    Variant vref = Variant::Ref(inner);
    EXPECT_EQ(*vref.Deref().If<com::BSTR>(), u"x");
}

TEST(Coerce, IntegersWithinRangeConvertAndOutsideOverflow) {
    Variant out;
    EXPECT_EQ(Change(Variant::I4(32767), com::VT_I2, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), 32767);
    EXPECT_EQ(Change(Variant::I4(32768), com::VT_I2, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::I4(-32769), com::VT_I2, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::I4(255), com::VT_UI1, &out), com::S_OK);
    EXPECT_EQ(Change(Variant::I4(256), com::VT_UI1, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::I4(-1), com::VT_UI1, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::UI4(0x80000000u), com::VT_I4, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::I2(-7), com::VT_I4, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int32_t>(), -7);
    // A failed conversion leaves the destination as it was.
    EXPECT_EQ(Change(Variant::I4(70000), com::VT_I2, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(out.vt(), com::VT_I4);
    EXPECT_EQ(*out.If<std::int32_t>(), -7);
}

TEST(Coerce, BooleansAreAllBitsSet) {
    Variant out;
    ASSERT_EQ(Change(Variant::Bool(true), com::VT_I4, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int32_t>(), -1);
    ASSERT_EQ(Change(Variant::Bool(true), com::VT_UI1, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::uint8_t>(), 255);
    ASSERT_EQ(Change(Variant::I4(2), com::VT_BOOL, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), com::VARIANT_TRUE);
    ASSERT_EQ(Change(Variant::I4(0), com::VT_BOOL, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), com::VARIANT_FALSE);
    ASSERT_EQ(Change(Variant::Bool(false), com::VT_BSTR, &out), com::S_OK);
    EXPECT_EQ(*out.If<com::BSTR>(), u"False");
}

TEST(Coerce, TextToNumbers) {
    Variant out;
    ASSERT_EQ(Change(Variant::Bstr(u"  -42 "), com::VT_I4, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int32_t>(), -42);
    ASSERT_EQ(Change(Variant::Bstr(u"2.5"), com::VT_I2, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), 2);  // half to even
    ASSERT_EQ(Change(Variant::Bstr(u"3.5"), com::VT_I2, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), 4);
    ASSERT_EQ(Change(Variant::Bstr(u"&HFFFF"), com::VT_I2, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), -1);
    ASSERT_EQ(Change(Variant::Bstr(u"&H8000000F"), com::VT_I4, &out), com::S_OK);
    EXPECT_EQ(static_cast<std::uint32_t>(*out.If<std::int32_t>()), 0x8000000Fu);
    EXPECT_EQ(Change(Variant::Bstr(u"70000"), com::VT_I2, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::Bstr(u"99999999999999999999999"), com::VT_I4, &out), com::DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant::Bstr(u"12abc"), com::VT_I4, &out), com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::Bstr(u""), com::VT_I4, &out), com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::Bstr(u"-"), com::VT_I4, &out), com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::Bstr(u"&H"), com::VT_I4, &out), com::DISP_E_TYPEMISMATCH);
}

TEST(Coerce, TextToBooleanAndBack) {
    Variant out;
    ASSERT_EQ(Change(Variant::Bstr(u"TRUE"), com::VT_BOOL, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), com::VARIANT_TRUE);
    ASSERT_EQ(Change(Variant::Bstr(u"0"), com::VT_BOOL, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int16_t>(), com::VARIANT_FALSE);
    EXPECT_EQ(Change(Variant::Bstr(u"maybe"), com::VT_BOOL, &out), com::DISP_E_TYPEMISMATCH);
    ASSERT_EQ(Change(Variant::I2(-12), com::VT_BSTR, &out), com::S_OK);
    EXPECT_EQ(*out.If<com::BSTR>(), u"-12");
    ASSERT_EQ(Change(Variant(), com::VT_BSTR, &out), com::S_OK);
    EXPECT_EQ(*out.If<com::BSTR>(), u"");
}

TEST(Coerce, ImpossibleConversionsAreTypeMismatches) {
    Variant out;
    EXPECT_EQ(Change(Variant::Dispatch(nullptr), com::VT_I4, &out), com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::Error(com::E_FAIL), com::VT_I4, &out), com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::I4(1), com::VT_DISPATCH, &out), com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::I4(1), static_cast<com::VARTYPE>(com::VT_I4 | com::VT_BYREF), &out),
              com::DISP_E_BADVARTYPE);
    EXPECT_EQ(Change(Variant::I4(1), 5 /* VT_R8: not carried */, &out), com::DISP_E_BADVARTYPE);
}

TEST(Coerce, ByReferenceSourcesAreReadThrough) {
    std::int16_t n = 300;
    Variant out;
    ASSERT_EQ(Change(Variant::Ref(n), com::VT_I4, &out), com::S_OK);
    EXPECT_EQ(*out.If<std::int32_t>(), 300);
    EXPECT_EQ(Change(Variant::Ref(n), com::VT_UI1, &out), com::DISP_E_OVERFLOW);
}

TEST(Coerce, ColoursAcceptTheBitsOfASignedLong) {
    com::OLE_COLOR c;
    ASSERT_EQ(com::ToColor(Variant::I4(static_cast<std::int32_t>(0x8000000Fu)), &c), com::S_OK);
    EXPECT_EQ(c.value, 0x8000000Fu);
    ASSERT_EQ(com::ToColor(Variant::I2(255), &c), com::S_OK);
    EXPECT_EQ(c.value, 255u);
    EXPECT_EQ(com::ToColor(Variant::I2(-1), &c), com::DISP_E_OVERFLOW);
}
