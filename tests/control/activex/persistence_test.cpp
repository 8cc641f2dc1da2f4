// The persisted property stream through a live control: the host's two
// stored sets load and save back byte for byte, setters clamp in stream
// order, and damaged streams fail without harming the control.
#include <gtest/gtest.h>

#include "control/activex/persist/host_property_sets.h"
#include "control/activex/persist/length_prefix.h"
#include "control/activex/persist/stream_writer.h"
#include "control/activex/tarn_edit_x.h"
#include "platform/com/late_bound.h"
#include "control_test_support.h"
#include "control/view/tarn_edit_view.h"

namespace tarnedit {
namespace {

using namespace platform::com;
namespace persist = tarn::persist;

std::string Stream(const persist::PropertyList& set) {
    persist::WriteResult w = persist::WriteStream(set);
    EXPECT_TRUE(w.ok());
    return w.bytes;
}

void Replace(persist::PropertyList& set, std::string_view name, persist::Value v) {
    for (persist::Property& p : set)
        if (p.name == name) p.value = std::move(v);
}

class Persistence : public ::testing::TestWithParam<int> {};

TEST_P(Persistence, HostSetsLoadIntoALiveControlAndSaveBackByteForByte) {
    const std::string stream =
        Stream(GetParam() == 0 ? persist::SampleEditProperties() : persist::TarnEditX1Properties());
    ComPtr<TTarnEditX> c = MakeObject<TTarnEditX>();
    ASSERT_EQ(c->Load(stream), S_OK);
    std::string saved;
    ASSERT_EQ(c->Save(&saved), S_OK);
    EXPECT_EQ(saved, stream);
    // The form record: the same bytes behind their length.
    std::string record;
    ASSERT_EQ(c->SaveRecord(&record), S_OK);
    ASSERT_EQ(record.size(), stream.size() + 4);
    EXPECT_EQ(record.substr(4), stream);
    ComPtr<TTarnEditX> again = MakeObject<TTarnEditX>();
    std::uint32_t consumed = 0;
    ASSERT_EQ(again->LoadRecord(record + "next", &consumed), S_OK);
    EXPECT_EQ(consumed, record.size());
}

INSTANTIATE_TEST_SUITE_P(SampleEditAndTarnEditX1, Persistence, ::testing::Values(0, 1));

TEST(PersistenceValues, LoadedValuesReachTheEditorThroughTheirSetters) {
    ComPtr<TTarnEditX> c = MakeObject<TTarnEditX>();
    ASSERT_EQ(c->Load(Stream(persist::TarnEditX1Properties())), S_OK);
    IDispatch* d = static_cast<ITarnEditX*>(c.Get());
    std::int32_t column = 0, top = -1;
    ASSERT_EQ(GetProperty(d, dispid::Column, &column), S_OK);
    EXPECT_EQ(column, 999999999);  // no upper bound
    ASSERT_EQ(GetProperty(d, dispid::TopMargin, &top), S_OK);
    EXPECT_EQ(top, 0);  // TopMargin 0 with ShowRuler false stays 0
    FontDisp font;
    ASSERT_EQ(c->get_Font(&font), S_OK);
    BSTR name;
    ASSERT_EQ(GetProperty(font.Get(), 0, &name), S_OK);
    EXPECT_EQ(name, u"ＭＳ ゴシック");
    // TopMargin precedes ShowRuler, so a stored ruler raises the margin.
    persist::PropertyList set = persist::TarnEditX1Properties();
    Replace(set, "ShowRuler", true);
    ComPtr<TTarnEditX> r = MakeObject<TTarnEditX>();
    ASSERT_EQ(r->Load(Stream(set)), S_OK);
    ASSERT_EQ(GetProperty(static_cast<ITarnEditX*>(r.Get()), dispid::TopMargin, &top), S_OK);
    EXPECT_EQ(top, 11);
}

// A fresh control shows the I-beam and stores it (it is not the declared
// default); a stored cursor becomes the window's and comes back on save.
TEST(PersistenceValues, TheCursorIsTheWindowsAndIsStored) {
    ComPtr<TTarnEditX> fresh = MakeObject<TTarnEditX>();
    EXPECT_EQ(fresh->View().cursor().shape(), Qt::IBeamCursor);
    std::string saved;
    ASSERT_EQ(fresh->Save(&saved), S_OK);
    EXPECT_NE(saved.find("crIBeam"), std::string::npos);

    persist::PropertyList set = persist::TarnEditX1Properties();
    Replace(set, "Cursor", persist::Identifier{"crHandPoint"});
    ComPtr<TTarnEditX> c = MakeObject<TTarnEditX>();
    ASSERT_EQ(c->Load(Stream(set)), S_OK);
    EXPECT_EQ(c->View().cursor().shape(), Qt::PointingHandCursor);
    ASSERT_EQ(c->Save(&saved), S_OK);
    EXPECT_EQ(saved, Stream(set));
}

TEST(PersistenceValues, DamagedStreamsFailAndLeaveTheControlUsable) {
    ComPtr<TTarnEditX> c = MakeObject<TTarnEditX>();
    IDispatch* d = static_cast<ITarnEditX*>(c.Get());
    const std::string good = Stream(persist::SampleEditProperties());
    EXPECT_TRUE(FAILED(c->Load(good.substr(0, good.size() / 2))));   // truncated
    EXPECT_TRUE(FAILED(c->Load("garbage that is no stream")));        // garbage
    EXPECT_TRUE(FAILED(c->Load(good + "extra")));                     // oversized
    std::string huge = "\xff\xff\xff\x7f" + good;                    // a record longer than its data
    std::uint32_t consumed = 7;
    EXPECT_TRUE(FAILED(c->LoadRecord(huge, &consumed)));
    EXPECT_EQ(consumed, 0u);
    // Unknown names and wrong value types are skipped; the rest apply.
    persist::PropertyList set = persist::SampleEditProperties();
    set.insert(set.begin() + 5, persist::Property{"NoSuchProperty", std::int32_t{1}});
    Replace(set, "TabCount", std::string("six"));
    Replace(set, "Column", std::int32_t{40});
    ASSERT_EQ(c->Load(Stream(set)), S_OK);
    std::int32_t column = 0;
    ASSERT_EQ(GetProperty(d, dispid::Column, &column), S_OK);
    EXPECT_EQ(column, 40);
    ASSERT_EQ(PutProperty(d, DISPID_TEXT, BSTR(u"still here")), S_OK);
    BSTR text;
    ASSERT_EQ(GetProperty(d, DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"still here");
}

}  // namespace
}  // namespace tarnedit
