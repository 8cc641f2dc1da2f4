// The host's two stored sets. Which entries are written: the editor's own
// properties and the position and size declare no default, so all of them
// are written whatever their value, even where it equals the value a new
// editor starts with (TarnEditX1's ShowRuler false, for instance). Cursor
// is written because crIBeam differs from its declared default crDefault.
// Enabled and Visible keep their declared default true and are left out, as
// are tab order, alignment and popup menu, which the control does not have.
// So every row of the host's table is in the stream, 64 entries per set.
#include "control/activex/persist/host_property_sets.h"
#include "control/activex/persist/property_apply.h"
#include "control/activex/persist/property_codec.h"
#include "control/activex/persist/stream_reader.h"
#include "control/activex/persist/stream_writer.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace tarn::persist {
namespace {

using test::Bytes;
using test::Hex;

std::string Written(const PropertyList& set) {
    WriteResult w = WriteStream(set);
    EXPECT_TRUE(w.ok()) << (w.error ? w.error->message : "");
    return w.bytes;
}

// The bytes of one property entry, found by its name in a written stream.
std::string EntryBytes(const std::string& stream, std::string_view name, std::size_t valueSize) {
    std::string key = Bytes({static_cast<int>(name.size())}) + std::string(name);
    std::size_t at = stream.find(key);
    if (at == std::string::npos) return "missing";
    return stream.substr(at + key.size(), valueSize);
}

struct NamedSet {
    const char* name;
    PropertyList (*build)();
};

void PrintTo(const NamedSet& s, std::ostream* os) { *os << s.name; }

class HostSet : public ::testing::TestWithParam<NamedSet> {};

TEST_P(HostSet, RoundTripsByteForByte) {
    PropertyList set = GetParam().build();
    std::string first = Written(set);
    ReadResult r = ReadStream(first);
    ASSERT_TRUE(r.ok()) << r.error->message;
    EXPECT_EQ(r.properties, set);
    EXPECT_EQ(Hex(Written(r.properties)), Hex(first));
}

TEST_P(HostSet, EveryEntryIsInDeclarationOrderAndFitsTheTable) {
    PropertyList set = GetParam().build();
    EXPECT_EQ(set.size(), 64u);
    std::size_t last = 0;
    for (std::size_t i = 0; i < set.size(); ++i) {
        const PropertyDescriptor* d = FindProperty(set[i].name);
        ASSERT_NE(d, nullptr) << set[i].name;
        if (i > 0) {
            EXPECT_GT(d->order, last) << set[i].name;
        }
        last = d->order;
        Decoded dec = DecodeSetting(*d, set[i].value);
        ASSERT_TRUE(dec.setting) << dec.problem;
        EXPECT_EQ(EncodeSetting(*d, *dec.setting), set[i].value) << set[i].name;
    }
}

// Saving the decoded settings through the table gives the same list: no
// entry of the set is dropped as a default.
TEST_P(HostSet, CollectingItsSettingsWritesTheWholeSet) {
    PropertyList set = GetParam().build();
    std::map<std::string_view, Setting> settings;
    ApplyReport r = ApplyProperties(set, [&](const PropertyDescriptor& d, const Setting& s) {
        settings.emplace(d.name, s);
        return true;
    });
    ASSERT_TRUE(r.clean());
    CollectResult c = CollectProperties([&](const PropertyDescriptor& d) -> std::optional<Setting> {
        auto it = settings.find(d.name);
        if (it == settings.end()) return std::nullopt;
        return it->second;
    });
    EXPECT_TRUE(c.rejected.empty());
    EXPECT_EQ(c.properties, set);
}

INSTANTIATE_TEST_SUITE_P(BothSets, HostSet,
                         ::testing::Values(NamedSet{"SampleEdit", &SampleEditProperties},
                                           NamedSet{"TarnEditX1", &TarnEditX1Properties}),
                         [](const ::testing::TestParamInfo<NamedSet>& info) { return std::string(info.param.name); });

// Values worked out by hand from the encoding rules.
TEST(HostSetBytes, HeadIsSignatureClassNameAndEmptyComponentName) {
    std::string s = Written(TarnEditX1Properties());
    EXPECT_EQ(Hex(s.substr(0, 15)), "54 50 46 30 09 54 54 61 72 6E 45 64 69 74 00");
    // Then the first property: "Left" as a short string, 8 as an 8-bit integer.
    EXPECT_EQ(Hex(s.substr(15, 7)), "04 4C 65 66 74 02 08");
    // And the two end markers.
    EXPECT_EQ(Hex(s.substr(s.size() - 2)), "00 00");
}

TEST(HostSetBytes, TarnEditX1) {
    std::string s = Written(TarnEditX1Properties());
    // 999999999 = 0x3B9AC9FF, too big for 16 bits.
    EXPECT_EQ(Hex(EntryBytes(s, "Column", 5)), "04 FF C9 9A 3B");
    EXPECT_EQ(Hex(EntryBytes(s, "Top", 2)), "02 68");             // 104
    EXPECT_EQ(Hex(EntryBytes(s, "Width", 2)), "02 6D");           // 109
    EXPECT_EQ(Hex(EntryBytes(s, "TopMargin", 2)), "02 00");
    EXPECT_EQ(Hex(EntryBytes(s, "Font.Height", 2)), "02 F4");     // -12
    EXPECT_EQ(Hex(EntryBytes(s, "UndoBuf", 5)), "04 00 80 0F 00");  // 0xF8000
    EXPECT_EQ(EntryBytes(s, "SelColor", 8), Bytes({7, 6}) + "clNavy");
    EXPECT_EQ(EntryBytes(s, "Cursor", 9), Bytes({7, 7}) + "crIBeam");
    EXPECT_EQ(EntryBytes(s, "Font.Charset", 18), Bytes({7, 16}) + "SHIFTJIS_CHARSET");
    EXPECT_EQ(Hex(EntryBytes(s, "HorzScrollBar", 1)), "09");
    EXPECT_EQ(Hex(EntryBytes(s, "ShowRuler", 1)), "08");
    EXPECT_EQ(Hex(EntryBytes(s, "Font.Style", 2)), "0B 00");
    EXPECT_EQ(Hex(EntryBytes(s, "DragCursor", 2)), "02 01");
    // "ＭＳ ゴシック": seven UTF-16 units. Its CP932 form would be
    // 82 6C 82 72 20 83 53 83 56 83 62 83 4E; the stream keeps it wide.
    EXPECT_EQ(Hex(EntryBytes(s, "Font.Name", 19)),
              "12 07 00 00 00 2D FF 33 FF 20 00 B4 30 B7 30 C3 30 AF 30");
}

TEST(HostSetBytes, SampleEdit) {
    std::string s = Written(SampleEditProperties());
    EXPECT_EQ(Hex(EntryBytes(s, "TopMargin", 2)), "02 0B");       // 11
    EXPECT_EQ(Hex(EntryBytes(s, "Font.Height", 2)), "02 ED");     // -19
    EXPECT_EQ(Hex(EntryBytes(s, "Width", 3)), "03 F5 00");        // 245 does not fit 8 signed bits
    EXPECT_EQ(Hex(EntryBytes(s, "Height", 2)), "02 65");          // 101
    EXPECT_EQ(Hex(EntryBytes(s, "Column", 2)), "02 48");          // 72
    EXPECT_EQ(EntryBytes(s, "Font.Name", 10), Bytes({6, 8}) + "FixedSys");
    EXPECT_EQ(EntryBytes(s, "QuotMarkStr", 3), Bytes({6, 1}) + ">");
    EXPECT_EQ(EntryBytes(s, "Version", 19), Bytes({6, 17}) + "TTarnEdit Ver1.35");
    EXPECT_EQ(EntryBytes(s, "Color", 9), Bytes({7, 7}) + "clWhite");
}

TEST(HostSetBytes, TopMarginIsWrittenBeforeShowRuler) {
    std::string s = Written(SampleEditProperties());
    EXPECT_LT(s.find("\x09TopMargin"), s.find("\x09ShowRuler"));
}

}  // namespace
}  // namespace tarn::persist
