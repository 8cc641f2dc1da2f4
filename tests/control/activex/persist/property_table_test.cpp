#include "control/activex/persist/property_codec.h"
#include "control/activex/persist/property_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tarn::persist {
namespace {

const PropertyDescriptor& Get(std::string_view name) {
    const PropertyDescriptor* d = FindProperty(name);
    if (!d) throw std::runtime_error("no property " + std::string(name));
    return *d;
}

TEST(PropertyTable, DeclarationOrderBeginsWithPositionSizeAndCursor) {
    const auto& t = PublishedProperties();
    std::vector<std::string_view> head;
    for (std::size_t i = 0; i < 7; ++i) head.push_back(t[i].name);
    EXPECT_EQ(head, (std::vector<std::string_view>{"Left", "Top", "Width", "Height", "Cursor", "IMEReconvMode",
                                                   "UndoRec"}));
    for (std::size_t i = 0; i < t.size(); ++i) EXPECT_EQ(t[i].order, i);
}

TEST(PropertyTable, FontSubPropertiesAreConsecutiveInTheirOrder) {
    std::size_t at = Get("Font.Charset").order;
    EXPECT_EQ(Get("Color").order + 1, at);
    EXPECT_EQ(Get("Font.Color").order, at + 1);
    EXPECT_EQ(Get("Font.Height").order, at + 2);
    EXPECT_EQ(Get("Font.Name").order, at + 3);
    EXPECT_EQ(Get("Font.Style").order, at + 4);
    EXPECT_EQ(Get("ReadOnly").order, at + 5);
}

TEST(PropertyTable, TopMarginPrecedesShowRulerSoTheRulerClampSeesTheStoredMargin) {
    EXPECT_LT(Get("TopMargin").order, Get("ShowRuler").order);
    EXPECT_LT(Get("TopMargin").order, Get("ShowRulerCur").order);
}

TEST(PropertyTable, NamesAreUniqueAndLookupIgnoresCase) {
    std::set<std::string> lower;
    for (const auto& d : PublishedProperties()) {
        std::string s(d.name);
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(lower.insert(s).second) << d.name;
    }
    EXPECT_EQ(FindProperty("column"), FindProperty("Column"));
    EXPECT_EQ(FindProperty("TabOrder"), nullptr);
    EXPECT_EQ(FindProperty("Font"), nullptr);
}

TEST(PropertyTable, OnlyInheritedPropertiesDeclareDefaults) {
    std::set<std::string_view> withDefault;
    for (const auto& d : PublishedProperties())
        if (d.declared_default) withDefault.insert(d.name);
    EXPECT_EQ(withDefault, (std::set<std::string_view>{"Cursor", "Enabled", "Visible"}));
    EXPECT_TRUE(IsDeclaredDefault(Get("Cursor"), std::int32_t{0}));
    EXPECT_FALSE(IsDeclaredDefault(Get("Cursor"), std::int32_t{-4}));
    EXPECT_TRUE(IsDeclaredDefault(Get("Visible"), true));
    EXPECT_FALSE(IsDeclaredDefault(Get("TopMargin"), std::int32_t{4}));
}

TEST(PropertyCodec, EnumerationsBothWays) {
    const auto& d = Get("DragMode");
    EXPECT_EQ(DecodeSetting(d, Identifier{"dmOLEAuto"}).setting, Setting{std::int32_t{2}});
    EXPECT_EQ(EncodeSetting(d, std::int32_t{1}), Value{Identifier{"dmAutomatic"}});
    EXPECT_EQ(EncodeSetting(Get("IMEReconvMode"), std::int32_t{1}), Value{Identifier{"imrManual"}});
    EXPECT_EQ(EncodeSetting(Get("LineSpaceUnit"), std::int32_t{1}), Value{Identifier{"uPixel"}});
    EXPECT_EQ(EncodeSetting(Get("BorderStyle"), std::int32_t{0}), Value{Identifier{"bsNone"}});
    EXPECT_FALSE(EncodeSetting(d, std::int32_t{3}));
    Decoded bad = DecodeSetting(d, Identifier{"dmSometimes"});
    EXPECT_FALSE(bad.setting);
    EXPECT_NE(bad.problem.find("dmSometimes"), std::string::npos);
    // Enumerations are written as names only, so a number is a wrong type.
    EXPECT_FALSE(DecodeSetting(d, std::int32_t{1}).setting);
}

TEST(PropertyCodec, ColoursByNameOrNumber) {
    const auto& d = Get("SelColor");
    EXPECT_EQ(EncodeSetting(d, Colour{0x800000}), Value{Identifier{"clNavy"}});
    EXPECT_EQ(EncodeSetting(d, Colour{0x80000005}), Value{Identifier{"clWindow"}});
    EXPECT_EQ(EncodeSetting(d, Colour{0x123456}), Value{std::int32_t{0x123456}});
    EXPECT_EQ(DecodeSetting(d, Identifier{"clTeal"}).setting, Setting{Colour{0x808000}});
    EXPECT_EQ(DecodeSetting(d, std::int32_t{0x123456}).setting, Setting{Colour{0x123456}});
    // A system colour without a name travels as a negative 32-bit integer.
    EXPECT_EQ(EncodeSetting(d, Colour{0x80000019}), Value{std::int32_t{-2147483623}});
    EXPECT_EQ(DecodeSetting(d, std::int32_t{-2147483623}).setting, Setting{Colour{0x80000019}});
    EXPECT_FALSE(DecodeSetting(d, true).setting);
}

TEST(PropertyCodec, CursorsAndCharsets) {
    EXPECT_EQ(EncodeSetting(Get("Cursor"), std::int32_t{-4}), Value{Identifier{"crIBeam"}});
    EXPECT_EQ(EncodeSetting(Get("DragCursor"), std::int32_t{1}), Value{std::int32_t{1}});
    EXPECT_EQ(DecodeSetting(Get("Cursor"), Identifier{"crIBeam"}).setting, Setting{std::int32_t{-4}});
    EXPECT_FALSE(DecodeSetting(Get("DragCursor"), std::int32_t{40000}).setting);
    EXPECT_EQ(EncodeSetting(Get("Font.Charset"), std::int32_t{128}), Value{Identifier{"SHIFTJIS_CHARSET"}});
    EXPECT_EQ(EncodeSetting(Get("Font.Charset"), std::int32_t{1}), Value{Identifier{"DEFAULT_CHARSET"}});
    EXPECT_EQ(EncodeSetting(Get("Font.Charset"), std::int32_t{3}), Value{std::int32_t{3}});
    EXPECT_FALSE(DecodeSetting(Get("Font.Charset"), std::int32_t{256}).setting);
}

TEST(PropertyCodec, IntegerRangesFollowTheInterfaceTypes) {
    EXPECT_EQ(DecodeSetting(Get("TabCount"), std::int32_t{255}).setting, Setting{std::int32_t{255}});
    EXPECT_FALSE(DecodeSetting(Get("TabCount"), std::int32_t{256}).setting);
    EXPECT_FALSE(DecodeSetting(Get("TabCount"), std::int32_t{-1}).setting);
    // Out-of-range values for the setter's clamp are still passed on: the
    // clamp is the setter's business.
    EXPECT_EQ(DecodeSetting(Get("TopMargin"), std::int32_t{500}).setting, Setting{std::int32_t{500}});
    EXPECT_EQ(DecodeSetting(Get("Column"), std::int32_t{999999999}).setting, Setting{std::int32_t{999999999}});
    EXPECT_FALSE(DecodeSetting(Get("Column"), std::string("72")).setting);
}

TEST(PropertyCodec, FontNameShortWhenAsciiWideOtherwise) {
    const auto& d = Get("Font.Name");
    EXPECT_EQ(EncodeSetting(d, std::u16string(u"FixedSys")), Value{std::string("FixedSys")});
    std::u16string gothic = u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
    EXPECT_EQ(EncodeSetting(d, gothic), Value{gothic});
    EXPECT_EQ(DecodeSetting(d, gothic).setting, Setting{gothic});
    EXPECT_EQ(DecodeSetting(d, std::string("FixedSys")).setting, Setting{std::u16string(u"FixedSys")});
    // A name stored as CP932 bytes is decoded through the code page.
    EXPECT_EQ(DecodeSetting(d, std::string("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E")).setting,
              Setting{gothic});
    std::u16string longAscii(300, u'a');
    EXPECT_EQ(EncodeSetting(d, longAscii), Value{longAscii});
}

TEST(PropertyCodec, StringPropertiesTakeAnyStringForm) {
    const auto& d = Get("QuotMarkStr");
    EXPECT_EQ(DecodeSetting(d, std::string(">")).setting, Setting{std::string(">")});
    EXPECT_EQ(DecodeSetting(d, std::u16string(u"\uFF1E")).setting, Setting{std::string("\x81\x84")});
    EXPECT_FALSE(DecodeSetting(d, Identifier{"gt"}).setting);
}

TEST(PropertyCodec, FontStyleSet) {
    const auto& d = Get("Font.Style");
    EXPECT_EQ(EncodeSetting(d, FontStyles{}), Value{SetValue{}});
    EXPECT_EQ(EncodeSetting(d, FontStyles{FontStyles::kItalic | FontStyles::kBold}),
              (Value{SetValue{{"fsBold", "fsItalic"}}}));
    EXPECT_EQ(DecodeSetting(d, SetValue{{"fsUnderline", "fsStrikeOut"}}).setting,
              Setting{FontStyles{FontStyles::kUnderline | FontStyles::kStrikeOut}});
    EXPECT_FALSE(DecodeSetting(d, SetValue{{"fsShadow"}}).setting);
    EXPECT_FALSE(EncodeSetting(d, FontStyles{0x10}));
}

TEST(PropertyCodec, EncodingRefusesTheWrongKindOfSetting) {
    EXPECT_FALSE(EncodeSetting(Get("ShowCR"), std::int32_t{1}));
    EXPECT_FALSE(EncodeSetting(Get("Color"), std::int32_t{0}));
    EXPECT_FALSE(EncodeSetting(Get("Version"), std::u16string(u"v")));
}

TEST(PropertyCodec, EveryDescriptorRoundTripsASettingOfItsKind) {
    for (const auto& d : PublishedProperties()) {
        Setting s;
        switch (d.kind) {
        case PropertyKind::Integer: s = std::int32_t{d.min == 0 ? 7 : -7}; break;
        case PropertyKind::Boolean: s = true; break;
        case PropertyKind::Enumeration: s = std::int32_t{1}; break;
        case PropertyKind::Colour: s = Colour{0x00ABCDEF}; break;
        case PropertyKind::Cursor: s = std::int32_t{-4}; break;
        case PropertyKind::Charset: s = std::int32_t{128}; break;
        case PropertyKind::String: s = std::string("\x82\xA0x"); break;
        case PropertyKind::FontName: s = std::u16string(u"\u3042"); break;
        case PropertyKind::FontStyle: s = FontStyles{5}; break;
        }
        auto v = EncodeSetting(d, s);
        ASSERT_TRUE(v) << d.name;
        EXPECT_EQ(DecodeSetting(d, *v).setting, s) << d.name;
    }
}

}  // namespace
}  // namespace tarn::persist
