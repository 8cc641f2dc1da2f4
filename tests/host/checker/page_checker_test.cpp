#include "host/checker/page_checker.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace quenby::checker {
namespace {

HandsetProfile Version(const char* version) {
    static const std::vector<HandsetProfile> profiles =
        ReadHandsetProfiles(std::filesystem::path(QUENBY_DATA_DIR) / "handsets.ini");
    const HandsetProfile* p = FindProfile(profiles, QString::fromLatin1(version));
    return p ? *p : HandsetProfile{};
}

struct Where {
    int row;
    int column;
    Severity severity;
    bool operator==(const Where&) const = default;
};

std::vector<Where> Places(const std::vector<Finding>& findings) {
    std::vector<Where> out;
    for (const Finding& f : findings) out.push_back({f.row, f.column, f.severity});
    return out;
}

// "日本" is two double-byte characters: four byte columns before each finding.
TEST(PageChecker, EachKindOfFindingAtItsRowAndByteColumn) {
    const QString page = QString::fromUtf8(
        "<html><body>\n"
        "日本<object>\n"                                   // element HTML 2.0 lacks
        "日本<a href=\"x\" ijam=y>\n"                      // attribute HTML 2.0 lacks
        "日本&#63921;\n"                                   // extended pictograph by reference
        "日本\xee\x9c\x8c\n"                               // U+E70C, extended, raw
        "日本①\n"                                          // row 13
        "日本<a name=\"1x\">\n"                            // name starting with a digit
        "日本<a accesskey=\"1\">a</a><a accesskey=1>b</a>\n"  // repeated key
        "日本<a accesskey=\"x\">\n"                        // not a keypad key
        "日本&#xE63E;<!-- <object> ① -->\n"                // hex reference too early; the comment hides its tag, not its bytes
        "</body></html>\n");
    const std::vector<Finding> findings = CheckPage(page, Version("2.0"), {});
    const std::vector<Where> expected = {
        {2, 5, Severity::Error},   {3, 17, Severity::Warning}, {4, 5, Severity::Warning},
        {5, 5, Severity::Warning}, {6, 5, Severity::Warning},  {7, 8, Severity::Warning},
        {8, 30, Severity::Warning}, {9, 8, Severity::Warning}, {10, 5, Severity::Warning},
        {10, 27, Severity::Warning},
    };
    EXPECT_EQ(Places(findings), expected);
    for (const Finding& f : findings) EXPECT_FALSE(f.message.isEmpty());
    ASSERT_EQ(findings.size(), expected.size());
    EXPECT_TRUE(findings[0].message.contains("OBJECT"));
    EXPECT_TRUE(findings[1].message.contains("IJAM"));
    EXPECT_TRUE(findings[6].message.contains("twice"));

    // HTML 4.0 knows OBJECT and IJAM and shows the extended pictographs.
    const std::vector<Finding> later = CheckPage(page, Version("4.0"), {});
    EXPECT_EQ(Places(later), (std::vector<Where>{{6, 5, Severity::Warning},
                                                 {7, 8, Severity::Warning},
                                                 {8, 30, Severity::Warning},
                                                 {9, 8, Severity::Warning},
                                                 {10, 27, Severity::Warning}}));
}

TEST(PageChecker, CleanPageHasNoFindings) {
    const QString page = QString::fromUtf8(
        "<HTML><HEAD><TITLE>日本</TITLE></HEAD><BODY>\n"
        "日本語 &#63647; \xee\x98\xbe ｶﾅ<BR CLEAR=all>\n"
        "<A NAME=top-1.x_y HREF='tel:0123' ACCESSKEY=\"#\">電話</A>\n"
        "<A HREF=\"a.html\" ACCESSKEY=0>a</A><IMG SRC=\"http://example.invalid/x.gif\" ALT=x>\n"
        "<FORM ACTION=\"f\"><INPUT TYPE=text NAME=q SIZE=4></FORM>\n"
        "</BODY></HTML>\n");
    const std::vector<Finding> findings = CheckPage(page, Version("1.0"), {});
    for (const Finding& f : findings) ADD_FAILURE() << f.row << ":" << f.column << " " << f.message.toStdString();
}

TEST(PageChecker, LocalImagesCountTowardsTheLimit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directory(folder / "img");
    std::ofstream(folder / "img" / "big.gif", std::ios::binary) << std::string(5000, 'x');

    const HandsetProfile first = Version("1.0");  // 5120 bytes
    const QString remote = QStringLiteral("<IMG SRC=\"http://example.invalid/img/big.gif\">");
    const QString local = QStringLiteral("<IMG SRC=\"img/big.gif?v=1\">text\n<IMG SRC=img/big.gif>");
    EXPECT_TRUE(CheckPage(remote, first, folder).empty());
    EXPECT_TRUE(CheckPage(QStringLiteral("<IMG SRC=\"img/none.gif\">"), first, folder).empty());

    const QString padded = QString(200, u'x') + local;
    const std::vector<Finding> over = CheckPage(padded, first, folder);
    ASSERT_EQ(over.size(), 1u);
    EXPECT_EQ(Places(over), (std::vector<Where>{{1, 1, Severity::Error}}));
    EXPECT_TRUE(over[0].message.contains("5120"));
    EXPECT_TRUE(CheckPage(padded, Version("2.0"), folder).empty());  // 10 KB, the image counted once

    // Double-byte text counts two bytes towards the size as well.
    const QString text = QString(2600, QChar(0x65E5));
    EXPECT_EQ(Places(CheckPage(text, first, {})), (std::vector<Where>{{1, 1, Severity::Error}}));
    EXPECT_TRUE(CheckPage(QString(2600, u'a'), first, {}).empty());
}

TEST(PageChecker, BrokenMarkupNeverHangsOrCrashes) {
    const QString page = QString::fromUtf8(
        "<a href=\"x ijam='<b' name=<!-- x --> &#x; &#99999999999; &#63921 <a accesskey= <a\t\n"
        "<p align=\"\xee\x9c\x8c&#xE70C;① < > <> </ <! <? <1 <-- ");
    const HandsetProfile profile = Version("1.0");
    for (qsizetype n = 0; n <= page.size(); ++n) {
        const std::vector<Finding> findings = CheckPage(page.left(n), profile, {});
        for (const Finding& f : findings) {
            EXPECT_GE(f.row, 1);
            EXPECT_GE(f.column, 1);
        }
    }
    EXPECT_TRUE(CheckPage(QString(), profile, {}).empty());
    EXPECT_TRUE(CheckPage(QStringLiteral("<"), profile, {}).empty());
}

}  // namespace
}  // namespace quenby::checker
