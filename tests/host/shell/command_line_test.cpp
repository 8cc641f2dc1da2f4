#include <gtest/gtest.h>

#include "host/shell/command_line.h"

namespace quenby::shell {
namespace {

TEST(CommandLine, EverythingAfterTheProgramNameJoinedBySpacesQuotesKept) {
    EXPECT_EQ(CommandText({QStringLiteral("quenby")}), QString());
    EXPECT_EQ(CommandText({QStringLiteral("quenby"), QStringLiteral("/tmp/a.htm")}), QStringLiteral("/tmp/a.htm"));
    EXPECT_EQ(CommandText({QStringLiteral("quenby"), QStringLiteral("\"my"), QStringLiteral("page.htm\"")}),
              QStringLiteral("\"my page.htm\""));
    EXPECT_EQ(CommandText({QStringLiteral("quenby"), QStringLiteral("ページ 1.htm"), QStringLiteral("x")}),
              QStringLiteral("ページ 1.htm x"));
    EXPECT_EQ(CommandText({}), QString());
}

}  // namespace
}  // namespace quenby::shell
