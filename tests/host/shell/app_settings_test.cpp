// How each kind of value is read from and written to the settings file.
#include <gtest/gtest.h>

#include "host/shell/app_settings.h"

namespace quenby::shell {
namespace {

TEST(OptionFlag, EmptyKeepsTrueAndOnlyTrueOrOneTurnItOn) {
    EXPECT_EQ(WriteOptionFlag(true), QStringLiteral("True"));
    EXPECT_EQ(WriteOptionFlag(false), QStringLiteral("False"));
    for (const char* on : {"", "True", "true", "TRUE", "tRuE", "1", " 1", "1.0", "1abc", "+1", "&H1"})
        EXPECT_TRUE(ReadOptionFlag(QString::fromLatin1(on))) << on;
    for (const char* off : {"False", "yes", "0", "2", "-1", "0.5", "abc", " ", "true ", "10"})
        EXPECT_FALSE(ReadOptionFlag(QString::fromLatin1(off))) << off;
}

TEST(DisplayFlag, NumbersDecideAnythingElseLeavesTheSetting) {
    EXPECT_EQ(WriteDisplayFlag(true), QStringLiteral("1"));
    EXPECT_EQ(WriteDisplayFlag(false), QStringLiteral("0"));
    EXPECT_EQ(ReadDisplayFlag(QStringLiteral("0")), false);
    EXPECT_EQ(ReadDisplayFlag(QStringLiteral("2")), true);
    EXPECT_EQ(ReadDisplayFlag(QStringLiteral(" 1 ")), true);
    EXPECT_EQ(ReadDisplayFlag(QStringLiteral("-1")), true);
    EXPECT_EQ(ReadDisplayFlag(QStringLiteral("0.0")), false);
    EXPECT_EQ(ReadDisplayFlag(QStringLiteral("&H0")), false);
    for (const char* none : {"", "abc", "1x", "True", "1 2", "--1", "."})
        EXPECT_EQ(ReadDisplayFlag(QString::fromLatin1(none)), std::nullopt) << none;
}

TEST(Colour, WrittenAsUpperCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(WriteColour(0xFFFFFF), QStringLiteral("&HFFFFFF"));
    EXPECT_EQ(WriteColour(0xFF0000), QStringLiteral("&HFF0000"));  // blue
    EXPECT_EQ(WriteColour(0xAA), QStringLiteral("&HAA"));
    EXPECT_EQ(WriteColour(0), QStringLiteral("&H0"));
}

TEST(Colour, ReadAsANumberWithHexadecimalAccepted) {
    EXPECT_EQ(ReadColour(QStringLiteral("&HFF0000")), 0xFF0000u);
    // Four hexadecimal digits are a colour, never a negative small number.
    EXPECT_EQ(ReadColour(QStringLiteral("&H80FF")), 0x80FFu);
    EXPECT_EQ(ReadColour(QStringLiteral("&HFFFF")), 0xFFFFu);
    EXPECT_EQ(ReadColour(QStringLiteral("&hff")), 0xFFu);
    EXPECT_EQ(ReadColour(QStringLiteral("16711680")), 0xFF0000u);
    EXPECT_EQ(ReadColour(QStringLiteral("&O17")), 15u);
    EXPECT_EQ(ReadColour(QStringLiteral(" &HFF ")), 0xFFu);
    for (const char* bad : {"", "&H", "&HXYZ", "blue", "&HFF0000 x", "99999999999"})
        EXPECT_EQ(ReadColour(QString::fromLatin1(bad)), std::nullopt) << bad;
    // Every written colour reads back.
    for (std::uint32_t c : {0u, 1u, 0xAAu, 0x80FFu, 0xFF0000u, 0xFFFFFFu})
        EXPECT_EQ(ReadColour(WriteColour(c)), c);
}

TEST(Colour, TagColoursTakeTheirDefaultForZeroAndForText) {
    EXPECT_EQ(ReadTagColour(QStringLiteral("&H0"), 0xFF0000), 0xFF0000u);
    EXPECT_EQ(ReadTagColour(QStringLiteral("0"), 0xAA), 0xAAu);
    EXPECT_EQ(ReadTagColour(QStringLiteral("pink"), 0x80FF), 0x80FFu);
    EXPECT_EQ(ReadTagColour(QString(), 0x80FF), 0x80FFu);
    EXPECT_EQ(ReadTagColour(QStringLiteral("&H123"), 0x80FF), 0x123u);
}

TEST(FontSize, IntegerPartOfValuePlusAQuarter) {
    EXPECT_EQ(ReadFontSize(QStringLiteral("10.75")), 11);
    EXPECT_EQ(ReadFontSize(QStringLiteral("10.7")), 10);
    EXPECT_EQ(ReadFontSize(QStringLiteral("9")), 9);
    EXPECT_EQ(ReadFontSize(QStringLiteral("10.5")), 10);
    EXPECT_EQ(ReadFontSize(QStringLiteral("abc")), std::nullopt);
    EXPECT_EQ(ReadFontSize(QString()), std::nullopt);
    EXPECT_EQ(ReadFontSize(QStringLiteral("1e300")), std::nullopt);
    EXPECT_EQ(WriteFontSize(9), QStringLiteral("9"));
    EXPECT_EQ(WriteFontSize(10.5), QStringLiteral("10.5"));
    EXPECT_EQ(WriteFontSize(10.123456), QStringLiteral("10.1235"));
}

TEST(Numbers, LeadingAndWhole) {
    EXPECT_EQ(LeadingNumber(QStringLiteral("  12abc")), 12.0);
    EXPECT_EQ(LeadingNumber(QStringLiteral("1.5e2x")), 150.0);
    EXPECT_EQ(LeadingNumber(QStringLiteral("1e")), 1.0);
    EXPECT_EQ(LeadingNumber(QStringLiteral("x1")), 0.0);
    EXPECT_EQ(LeadingNumber(QStringLiteral("-")), 0.0);
    EXPECT_EQ(ReadInteger(QStringLiteral("4500")), 4500);
    EXPECT_EQ(ReadInteger(QStringLiteral("-300")), -300);
    EXPECT_EQ(ReadInteger(QStringLiteral("1e12")), std::nullopt);
    EXPECT_EQ(ReadInteger(QStringLiteral("twelve")), std::nullopt);
    // Full-width digits are no number here, as the code page's digits are.
    EXPECT_EQ(ReadInteger(QStringLiteral("１２")), std::nullopt);
}

}  // namespace
}  // namespace quenby::shell
