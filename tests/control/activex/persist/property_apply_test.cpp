#include "control/activex/persist/property_apply.h"
#include "control/activex/persist/stream_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarn::persist {
namespace {

struct Recorder {
    std::vector<std::pair<std::string, Setting>> calls;
    std::vector<std::string> refuse;  // names the pretend control has no setter for

    PropertySetter Setter() {
        return [this](const PropertyDescriptor& d, const Setting& s) {
            for (const auto& r : refuse)
                if (r == d.name) return false;
            calls.emplace_back(std::string(d.name), s);
            return true;
        };
    }
};

TEST(ApplyProperties, SettersRunInStreamOrder) {
    Recorder rec;
    PropertyList list{{"ShowRuler", Value{true}}, {"TopMargin", Value{std::int32_t{0}}},
                      {"Cursor", Value{Identifier{"crIBeam"}}}};
    ApplyReport r = ApplyProperties(list, rec.Setter());
    EXPECT_TRUE(r.clean());
    EXPECT_EQ(r.applied, 3u);
    ASSERT_EQ(rec.calls.size(), 3u);
    EXPECT_EQ(rec.calls[0].first, "ShowRuler");
    EXPECT_EQ(rec.calls[1], (std::pair<std::string, Setting>{"TopMargin", std::int32_t{0}}));
    EXPECT_EQ(rec.calls[2], (std::pair<std::string, Setting>{"Cursor", std::int32_t{-4}}));
}

TEST(ApplyProperties, UnknownNamesAreSkippedAndReported) {
    Recorder rec;
    PropertyList list{{"TabOrder", Value{std::int32_t{3}}}, {"Column", Value{std::int32_t{80}}},
                      {"NoSuchThing", Value{true}}};
    ApplyReport r = ApplyProperties(list, rec.Setter());
    EXPECT_EQ(r.applied, 1u);
    ASSERT_EQ(r.unknown.size(), 2u);
    EXPECT_EQ(r.unknown[0].index, 0u);
    EXPECT_EQ(r.unknown[0].name, "TabOrder");
    EXPECT_EQ(r.unknown[1].index, 2u);
    EXPECT_TRUE(r.rejected.empty());
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].first, "Column");
}

TEST(ApplyProperties, ANameTheSetterDoesNotKnowIsReportedUnknown) {
    Recorder rec;
    rec.refuse = {"ShowHint"};
    ApplyReport r = ApplyProperties({{"ShowHint", Value{false}}, {"Ctl3D", Value{true}}}, rec.Setter());
    EXPECT_EQ(r.applied, 1u);
    ASSERT_EQ(r.unknown.size(), 1u);
    EXPECT_EQ(r.unknown[0].name, "ShowHint");
}

TEST(ApplyProperties, WrongValueTypesAreSkippedAndReported) {
    Recorder rec;
    PropertyList list{
        {"ShowCR", Value{std::int32_t{1}}},               // boolean expected
        {"Column", Value{std::string("72")}},             // integer expected
        {"DragMode", Value{Identifier{"dmNever"}}},       // not one of its names
        {"TabCount", Value{std::int32_t{300}}},           // beyond a byte
        {"Font.Style", Value{Identifier{"fsBold"}}},      // set expected
        {"WordWrap", Value{false}},                       // fine
    };
    ApplyReport r = ApplyProperties(list, rec.Setter());
    EXPECT_EQ(r.applied, 1u);
    ASSERT_EQ(r.rejected.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(r.rejected[i].index, i);
        EXPECT_NE(r.rejected[i].reason.find(list[i].name), std::string::npos) << r.rejected[i].reason;
    }
    EXPECT_NE(r.rejected[0].reason.find("boolean"), std::string::npos);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].first, "WordWrap");
}

TEST(LoadStream, UnreadableStreamAppliesNothing) {
    Recorder rec;
    WriteResult w = WriteStream({{"Column", Value{std::int32_t{80}}}});
    ASSERT_TRUE(w.ok());
    std::string cut = w.bytes.substr(0, w.bytes.size() - 1);
    LoadOutcome o = LoadStream(cut, rec.Setter());
    EXPECT_FALSE(o.ok());
    EXPECT_TRUE(rec.calls.empty());
    o = LoadStream(w.bytes, rec.Setter());
    EXPECT_TRUE(o.ok());
    EXPECT_EQ(o.report.applied, 1u);
}

TEST(LoadStream, UnknownAndUnsuitableEntriesInAStreamAreSkippedTheRestApplied) {
    Recorder rec;
    WriteResult w = WriteStream({{"TabOrder", Value{std::int32_t{1}}},
                                 {"Column", Value{std::int32_t{999999999}}},
                                 {"ShowRuler", Value{Identifier{"clRed"}}},
                                 {"Font.Name", Value{std::u16string(u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF")}}});
    ASSERT_TRUE(w.ok());
    LoadOutcome o = LoadStream(w.bytes, rec.Setter());
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.report.applied, 2u);
    ASSERT_EQ(o.report.unknown.size(), 1u);
    EXPECT_EQ(o.report.unknown[0].name, "TabOrder");
    ASSERT_EQ(o.report.rejected.size(), 1u);
    EXPECT_EQ(o.report.rejected[0].name, "ShowRuler");
    ASSERT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls[0].second, Setting{std::int32_t{999999999}});
    EXPECT_EQ(rec.calls[1].second, Setting{std::u16string(u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF")});
}

TEST(CollectProperties, DeclaredDefaultsAreLeftOut) {
    CollectResult c = CollectProperties([](const PropertyDescriptor& d) -> std::optional<Setting> {
        if (d.name == "Left") return std::int32_t{8};
        if (d.name == "Cursor") return std::int32_t{0};   // crDefault
        if (d.name == "Enabled") return true;
        if (d.name == "Visible") return false;            // changed, so written
        if (d.name == "TopMargin") return std::int32_t{4};  // no declared default: written
        return std::nullopt;
    });
    EXPECT_TRUE(c.rejected.empty());
    ASSERT_EQ(c.properties.size(), 3u);
    EXPECT_EQ(c.properties[0], (Property{"Left", Value{std::int32_t{8}}}));
    EXPECT_EQ(c.properties[1], (Property{"TopMargin", Value{std::int32_t{4}}}));
    EXPECT_EQ(c.properties[2], (Property{"Visible", Value{false}}));
}

TEST(CollectProperties, SettingsOfTheWrongKindAreReported) {
    CollectResult c = CollectProperties([](const PropertyDescriptor& d) -> std::optional<Setting> {
        if (d.name == "Color") return std::int32_t{0};  // a Colour is expected
        return std::nullopt;
    });
    EXPECT_TRUE(c.properties.empty());
    ASSERT_EQ(c.rejected.size(), 1u);
    EXPECT_EQ(c.rejected[0].name, "Color");
}

}  // namespace
}  // namespace tarn::persist
