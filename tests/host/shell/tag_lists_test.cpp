// The colouring lists as the start-up reads them.
#include <gtest/gtest.h>

#include "host/shell/tag_lists.h"

namespace quenby::shell {
namespace {

TEST(TagList, OneEntryALineUpperCasedWithoutEmptyLines) {
    EXPECT_EQ(ParseTagList(QStringLiteral("a href name\r\nbr\r\n")),
              (QStringList{QStringLiteral("A HREF NAME"), QStringLiteral("BR")}));
    // Every kind of line end, runs of empty lines, no final line end.
    EXPECT_EQ(ParseTagList(QStringLiteral("p align\r\rimg src\n\n\r\nfont color")),
              (QStringList{QStringLiteral("P ALIGN"), QStringLiteral("IMG SRC"), QStringLiteral("FONT COLOR")}));
    // An empty first line is no entry: an empty name would colour every tag.
    EXPECT_EQ(ParseTagList(QStringLiteral("\r\n\r\nhr\r\n")), QStringList{QStringLiteral("HR")});
    EXPECT_EQ(ParseTagList(QStringLiteral("<!--*-->")), QStringList{QStringLiteral("<!--*-->")});
}

TEST(TagList, EmptyAndBlankFilesGiveNoEntries) {
    EXPECT_TRUE(ParseTagList(QString()).isEmpty());
    EXPECT_TRUE(ParseTagList(QStringLiteral("\r\n")).isEmpty());
    EXPECT_TRUE(ParseTagList(QStringLiteral("\n\n\n\r\r")).isEmpty());
}

TEST(TagList, AnyTextGivesEntriesWithoutEmptyOnes) {
    QString junk;
    for (int i = 0; i < 5000; ++i) junk += QChar(static_cast<char16_t>((i * 7919) % 0xD7FF + 1));
    const QStringList entries = ParseTagList(junk);
    for (const QString& e : entries) EXPECT_FALSE(e.isEmpty());
    EXPECT_FALSE(entries.isEmpty());
}

}  // namespace
}  // namespace quenby::shell
