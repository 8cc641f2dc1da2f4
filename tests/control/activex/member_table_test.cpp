// The member list as the dispatch table and the type information see it.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "control/activex/tarn_edit_x.h"

namespace tarnedit {
namespace {

TEST(MemberTable, HasTheInterfacesEntriesInFunctionTableOrder) {
    const auto& funcs = TTarnEditX::DispatchMembers().description().funcs();
    EXPECT_EQ(funcs.size(), 230u);
    // Each (DISPID, kind) once; get before put.
    std::set<std::pair<com::DISPID, int>> seen;
    std::map<com::DISPID, int> rows;
    for (const com::FuncDesc& f : funcs) {
        EXPECT_TRUE(seen.insert({f.memid, int(f.invkind)}).second) << f.memid;
        ++rows[f.memid];
    }
    EXPECT_EQ(rows.size(), 166u);
    EXPECT_EQ(funcs.front().memid, 201);
    EXPECT_EQ(funcs.back().memid, 362);
    EXPECT_EQ(funcs.back().invkind, com::INVOKE_PROPERTYPUT);
}

TEST(MemberTable, StandardDispidsAndKinds) {
    const com::TypeDescription& d = TTarnEditX::DispatchMembers().description();
    std::map<com::DISPID, std::vector<int>> kinds;
    for (const com::FuncDesc& f : d.funcs()) kinds[f.memid].push_back(int(f.invkind));
    using V = std::vector<int>;
    const V getPut{com::INVOKE_PROPERTYGET, com::INVOKE_PROPERTYPUT};
    EXPECT_EQ(kinds[com::DISPID_TEXT], getPut);
    EXPECT_EQ(kinds[com::DISPID_BACKCOLOR], getPut);
    EXPECT_EQ(kinds[com::DISPID_ENABLED], getPut);
    EXPECT_EQ(kinds[com::DISPID_FONT], (V{com::INVOKE_PROPERTYGET, com::INVOKE_PROPERTYPUT, com::INVOKE_PROPERTYPUTREF}));
    EXPECT_EQ(kinds[dispid::ClLineCount], V{com::INVOKE_PROPERTYGET});
    EXPECT_EQ(kinds[dispid::ReDesign], V{com::INVOKE_FUNC});
}

TEST(MemberTable, HiddenFlagsAndTypes) {
    const com::TypeDescription& d = TTarnEditX::DispatchMembers().description();
    auto find = [&](com::DISPID id, int kind) -> const com::FuncDesc& {
        for (const com::FuncDesc& f : d.funcs())
            if (f.memid == id && f.invkind == kind) return f;
        throw std::runtime_error("missing member");
    };
    int hidden = 0;
    for (const com::FuncDesc& f : d.funcs()) hidden += f.hidden;
    // 24 hidden rows from ClLineCount to MaxCurposX (SelLength, InsMode, SelText,
    // Modified, MouseDownF with a put), CustomEditF (get and put), and
    // AlignDisabled, VisibleDockClientCount, AxLinesCount.
    EXPECT_EQ(hidden, 24 + 5 + 2 + 3);
    EXPECT_TRUE(find(dispid::CurposY, com::INVOKE_PROPERTYGET).hidden);
    EXPECT_FALSE(find(com::DISPID_TEXT, com::INVOKE_PROPERTYGET).hidden);
    const com::FuncDesc& sel = find(dispid::GetselLine, com::INVOKE_FUNC);
    ASSERT_EQ(sel.params.size(), 4u);
    EXPECT_EQ(sel.params[0].vt, com::VT_I4 | com::VT_BYREF);
    EXPECT_EQ(sel.params[0].name, u"x1");
    EXPECT_EQ(sel.result, com::VT_BOOL);
    const com::FuncDesc& color = find(dispid::SetTxtColor2, com::INVOKE_FUNC);
    ASSERT_EQ(color.params.size(), 10u);
    EXPECT_EQ(color.params[3].typeName, u"OLE_COLOR");
    EXPECT_EQ(find(dispid::TabCount, com::INVOKE_PROPERTYGET).result, com::VT_UI1);
    EXPECT_EQ(find(dispid::DragCursor, com::INVOKE_PROPERTYGET).result, com::VT_I2);
    EXPECT_EQ(find(dispid::SetImeStatus, com::INVOKE_FUNC).params[0].vt, com::VT_UI4);
}

TEST(MemberTable, EventsByDispid) {
    const com::EventTable& e = TTarnEditX::Events();
    EXPECT_EQ(e.description().funcs().size(), std::size_t(event::kCount));
    EXPECT_EQ(e.iid(), IID_ITarnEditXEvents);
    const com::FuncDesc* fc = e.Find(event::OnFindChange);
    ASSERT_NE(fc, nullptr);
    ASSERT_EQ(fc->params.size(), 9u);
    EXPECT_EQ(fc->params[6].vt, com::VT_BOOL | com::VT_BYREF);
    EXPECT_EQ(e.Find(event::OnKeyPress)->params[0].vt, com::VT_I2 | com::VT_BYREF);
    for (com::DISPID id = 201; id <= 229; ++id) EXPECT_NE(e.Find(id), nullptr) << id;
}

}  // namespace
}  // namespace tarnedit
