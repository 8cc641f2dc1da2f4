#include "control/activex/persist/identifiers.h"

#include <gtest/gtest.h>

#include <set>

namespace tarn::persist {
namespace {

TEST(Identifiers, ColoursBothWays) {
    struct { const char* name; std::int64_t value; } cases[] = {
        {"clBlack", 0x000000}, {"clNavy", 0x800000},  {"clTeal", 0x808000},   {"clWhite", 0xFFFFFF},
        {"clBlue", 0xFF0000},  {"clGray", 0x808080},  {"clRed", 0x0000FF},    {"clSilver", 0xC0C0C0},
        {"clWindow", 0x80000005}, {"clWindowText", 0x80000008}, {"clBtnFace", 0x8000000F},
        {"clScrollBar", 0x80000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberOfName(ColourNames(), c.name), c.value) << c.name;
        EXPECT_EQ(NameOfNumber(ColourNames(), c.value), c.name) << c.name;
    }
}

TEST(Identifiers, AliasesReadButThePrimaryNameIsWritten) {
    EXPECT_EQ(NumberOfName(ColourNames(), "clLtGray"), 0xC0C0C0);
    EXPECT_EQ(NumberOfName(ColourNames(), "clDkGray"), 0x808080);
    EXPECT_EQ(NameOfNumber(ColourNames(), 0x808080), "clGray");
}

TEST(Identifiers, UnnamedColourHasNoName) {
    EXPECT_FALSE(NameOfNumber(ColourNames(), 0x123456));
    EXPECT_FALSE(NumberOfName(ColourNames(), "clChartreuse"));
}

TEST(Identifiers, CursorsBothWays) {
    EXPECT_EQ(NumberOfName(CursorNames(), "crIBeam"), -4);
    EXPECT_EQ(NumberOfName(CursorNames(), "crDefault"), 0);
    EXPECT_EQ(NumberOfName(CursorNames(), "crArrow"), -2);
    EXPECT_EQ(NumberOfName(CursorNames(), "crDrag"), -12);
    EXPECT_EQ(NameOfNumber(CursorNames(), -4), "crIBeam");
    EXPECT_EQ(NameOfNumber(CursorNames(), -21), "crHandPoint");
    EXPECT_FALSE(NameOfNumber(CursorNames(), 1));  // the drag cursor slot is stored as a number
}

TEST(Identifiers, CharsetsBothWays) {
    EXPECT_EQ(NumberOfName(CharsetNames(), "SHIFTJIS_CHARSET"), 128);
    EXPECT_EQ(NumberOfName(CharsetNames(), "DEFAULT_CHARSET"), 1);
    EXPECT_EQ(NameOfNumber(CharsetNames(), 128), "SHIFTJIS_CHARSET");
    EXPECT_EQ(NameOfNumber(CharsetNames(), 0), "ANSI_CHARSET");
    EXPECT_FALSE(NameOfNumber(CharsetNames(), 3));
}

TEST(Identifiers, MatchingIgnoresAsciiCase) {
    EXPECT_EQ(NumberOfName(ColourNames(), "CLWHITE"), 0xFFFFFF);
    EXPECT_EQ(NumberOfName(CursorNames(), "cribeam"), -4);
    EXPECT_FALSE(NumberOfName(CursorNames(), "crIBeam "));
}

TEST(Identifiers, WrittenNamesAreUniquePerNumber) {
    for (auto table : {ColourNames(), CursorNames(), CharsetNames()}) {
        std::set<std::string_view> names;
        for (const NamedNumber& e : table) {
            EXPECT_TRUE(names.insert(e.name).second) << e.name;
            EXPECT_LE(e.name.size(), 255u);
        }
    }
}

}  // namespace
}  // namespace tarn::persist
