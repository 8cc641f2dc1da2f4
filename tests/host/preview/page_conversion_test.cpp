// The link rules, the error page and the assembled preview file.
#include "host/preview/page_conversion.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>

#include "host/preview/html_conv.h"

// Failures show the texts, not their code units.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using quenby::preview::BuildPreviewFile;
using quenby::preview::ErrorPage;
using quenby::preview::HTMLConv;
using quenby::preview::PreviewFile;
using quenby::preview::RewriteLinks;
using quenby::preview::StyleSheetLine;

QString Href(const QString& value, const QString& url) {
    return RewriteLinks(QStringLiteral("<a href=\"") + value + QStringLiteral("\">"), url);
}
QString A(const QString& value) { return QStringLiteral("<a href=\"") + value + QStringLiteral("\">"); }

TEST(LinkRules, AnAddressEndingInASlash) {
    const QString u = QStringLiteral("http://ex.jp/dir/");
    // Relative values go under the address, root-relative ones under its
    // root, fragments onto the address itself.
    EXPECT_EQ(Href(QStringLiteral("page.html"), u), A(QStringLiteral("http://ex.jp/dir/page.html")));
    EXPECT_EQ(Href(QStringLiteral("/top.html"), u), A(QStringLiteral("http://ex.jp/top.html")));
    EXPECT_EQ(Href(QStringLiteral("#sec"), u), A(QStringLiteral("http://ex.jp/dir/#sec")));
    EXPECT_EQ(RewriteLinks(QStringLiteral("<img src=\"i/a.gif\"><form action=\"post.cgi\">"), u),
              QStringLiteral("<img src=\"http://ex.jp/dir/i/a.gif\"><form action=\"http://ex.jp/dir/post.cgi\">"));
    // A value from the same folder loses the doubled folder again.
    EXPECT_EQ(Href(QStringLiteral("http://ex.jp/dir/a.html"), u), A(QStringLiteral("http://ex.jp/dir/a.html")));
}

TEST(LinkRules, OnlyDoubleQuotedLowerCaseAttributesChange) {
    const QString u = QStringLiteral("http://ex.jp/dir/");
    const QString untouched = QStringLiteral("<a href='a.html'><a href=a.html><A HREF=\"a.html\"><img SRC=\"b.gif\">");
    EXPECT_EQ(RewriteLinks(untouched, u), untouched);
}

TEST(LinkRules, LineBreaksJoinWithoutASpace) {
    EXPECT_EQ(RewriteLinks(QStringLiteral("<p>\r\none\r\ntwo\r\n</p>\n\r"), QStringLiteral("http://ex.jp/")),
              QStringLiteral("<p>onetwo</p>\n\r"));
    EXPECT_EQ(RewriteLinks(QStringLiteral("a\r\r\n\nb"), QString()), QStringLiteral("a\r\nb"));
}

TEST(LinkRules, AnHtmlPageGivesItsFolder) {
    const QString u = QStringLiteral("http://ex.jp/dir/page.html");
    EXPECT_EQ(RewriteLinks(QStringLiteral("<img src=\"img/a.gif\">"), u),
              QStringLiteral("<img src=\"http://ex.jp/dir/img/a.gif\">"));
    EXPECT_EQ(Href(QStringLiteral("#top"), u), A(QStringLiteral("http://ex.jp/dir/page.html#top")));
    EXPECT_EQ(Href(QStringLiteral("http://ex.jp/dir/other.html"), u), A(QStringLiteral("http://ex.jp/dir/other.html")));
    EXPECT_EQ(Href(QStringLiteral("b.htm"), QStringLiteral("http://ex.jp/d/a.htm")),
              A(QStringLiteral("http://ex.jp/d/b.htm")));
}

TEST(LinkRules, AHostAloneTakesASlashBetween) {
    const QString u = QStringLiteral("http://ex.jp");
    EXPECT_EQ(Href(QStringLiteral("page.html"), u), A(QStringLiteral("http://ex.jp/page.html")));
    EXPECT_EQ(Href(QStringLiteral("/top.html"), u), A(QStringLiteral("http://ex.jp/top.html")));
    EXPECT_EQ(Href(QStringLiteral("http://other.jp/x"), u), A(QStringLiteral("http://other.jp/x")));
    EXPECT_EQ(Href(QStringLiteral("#a"), u), A(QStringLiteral("http://ex.jp#a")));
    // The folder of such an address is "http://": the doubled-folder rule
    // reaches plain text too.
    EXPECT_EQ(RewriteLinks(QStringLiteral("see http://http://x"), u), QStringLiteral("see http://x"));
}

TEST(LinkRules, ALocalFileGetsALeadingSlashOnRelativeValues) {
    EXPECT_EQ(Href(QStringLiteral("a.html"), QString()), A(QStringLiteral("/a.html")));
    EXPECT_EQ(Href(QStringLiteral("/b.html"), QString()), A(QStringLiteral("/b.html")));
    EXPECT_EQ(Href(QStringLiteral("http://x.jp/"), QString()), A(QStringLiteral("http://x.jp/")));
    EXPECT_EQ(Href(QStringLiteral("#t"), QString()), A(QStringLiteral("/#t")));
    // Without an address nothing is resolved: the rules stand as they are.
    EXPECT_EQ(RewriteLinks(QStringLiteral("<img src=\"https://s.jp/a.gif\"><form action=\"c.cgi\">"), QString()),
              QStringLiteral("<img src=\"/https://s.jp/a.gif\"><form action=\"/c.cgi\">"));
}

TEST(LinkRules, ValuesTheRulesCannotRestoreAreResolvedLikeABrowser) {
    // An absolute value keeps no inserted folder in front.
    EXPECT_EQ(Href(QStringLiteral("http://other.jp/x"), QStringLiteral("http://ex.jp/dir/")),
              A(QStringLiteral("http://other.jp/x")));
    EXPECT_EQ(Href(QStringLiteral("https://other.jp/x"), QStringLiteral("http://ex.jp/dir/")),
              A(QStringLiteral("https://other.jp/x")));
    EXPECT_EQ(Href(QStringLiteral("http://other.jp/"), QStringLiteral("http://ex.jp/dir/page.html")),
              A(QStringLiteral("http://other.jp/")));
    EXPECT_EQ(Href(QStringLiteral("mailto:a@ex.jp"), QStringLiteral("http://ex.jp/dir/")),
              A(QStringLiteral("mailto:a@ex.jp")));
    EXPECT_EQ(Href(QStringLiteral("https://s.jp/"), QStringLiteral("http://ex.jp")), A(QStringLiteral("https://s.jp/")));
    // A root-relative value goes under the root, not the page's folder.
    EXPECT_EQ(Href(QStringLiteral("/top.html"), QStringLiteral("http://ex.jp/dir/page.html")),
              A(QStringLiteral("http://ex.jp/top.html")));
}

TEST(LinkRules, AnAddressWithAPathButNoPageKeepsItsFolder) {
    const QString u = QStringLiteral("https://ex.jp/cgi/list");
    EXPECT_EQ(Href(QStringLiteral("item?id=1"), u), A(QStringLiteral("https://ex.jp/cgi/item?id=1")));
    EXPECT_EQ(Href(QStringLiteral("/top"), u), A(QStringLiteral("https://ex.jp/top")));
    EXPECT_EQ(Href(QStringLiteral("http://o.jp/"), u), A(QStringLiteral("http://o.jp/")));
    EXPECT_EQ(Href(QStringLiteral("https://o.jp/"), u), A(QStringLiteral("https://o.jp/")));
    EXPECT_EQ(Href(QStringLiteral("#x"), u), A(QStringLiteral("https://ex.jp/cgi/list#x")));
    EXPECT_EQ(Href(QStringLiteral("x.html"), QStringLiteral("http://ex.jp/cgi/list")),
              A(QStringLiteral("http://ex.jp/cgi/x.html")));
}

TEST(LinkRules, ResolvingKeepsTheRestOfThePageInPlace) {
    const QString page = QStringLiteral(
        "<a href=\"a.html\">A</a>\r\n<img src=\"/i.gif\">\r\n<a href=\"http://o.jp/\">O</a>\r\n"
        "<a href=\"a.html\">A</a><a href='b.html'>B</a>");
    EXPECT_EQ(RewriteLinks(page, QStringLiteral("http://ex.jp/dir/page.html")),
              QStringLiteral("<a href=\"http://ex.jp/dir/a.html\">A</a><img src=\"http://ex.jp/i.gif\">"
                             "<a href=\"http://o.jp/\">O</a><a href=\"http://ex.jp/dir/a.html\">A</a>"
                             "<a href='b.html'>B</a>"));
    // A value whose quote never closes is left to the rules.
    EXPECT_EQ(RewriteLinks(QStringLiteral("<a href=\"http://o.jp/"), QStringLiteral("http://ex.jp/d/")),
              QStringLiteral("<a href=\"http://ex.jp/d/http://o.jp/"));
}

TEST(ErrorPage, TheLinesExactly) {
    const QString expected = QStringLiteral(
        "<HTML>\r\n"
        "<BODY>\r\n"
        "<H1 style=\"font-size:20px;color:#0000FF;\">ページを表示できません</H1>\r\n"
        "<HR>\r\n"
        "検索中のページは現在、使用できません。<BR>\r\n"
        "<SPAN style=\"font-size:12px;color:#0000FF;\">http://ex.jp/a.html</SPAN>\r\n"
        "\r\n"
        "<UL>\r\n"
        "  <LI>・タイムアウトになった可能性があります。\r\n"
        "  <LI>・実記では表示できる可能性があります。実記では表示できる可能性があります。\r\n"
        "</UL>\r\n"
        "</BODY>\r\n"
        "</HTML>");
    EXPECT_EQ(ErrorPage(QStringLiteral("http://ex.jp/a.html")), expected);
}

TEST(StyleSheetLine, NamesTheSheet) {
    EXPECT_EQ(StyleSheetLine(QStringLiteral("/q/skin/css/default.css")),
              QStringLiteral("<link rel='stylesheet' href='/q/skin/css/default.css' type='text/css'>"));
}

TEST(BuildPreviewFile, NothingToShowGivesTheErrorPage) {
    const QString sheet = QStringLiteral("/q/skin/css/default.css");
    const QString expected =
        StyleSheetLine(sheet) + QStringLiteral("\r\n") + ErrorPage(QStringLiteral("http://ex.jp/")) + QStringLiteral("\r\n");
    for (const std::optional<QString>& source :
         {std::optional<QString>(), std::optional<QString>(QString()), std::optional<QString>(QStringLiteral("\r\n"))}) {
        const PreviewFile file = BuildPreviewFile(source, QStringLiteral("http://ex.jp/"), sheet, QStringLiteral("/q"));
        EXPECT_FALSE(file.converted);
        EXPECT_EQ(file.text, expected);
    }
}

TEST(BuildPreviewFile, APageIsLinkedThenRewritten) {
    const QString page = QStringLiteral(
        "<html>\r\n<body style='font-size:large' onload='go()'>\r\n<a href=\"n.html\">&#63647;</a>\r\n</body></html>");
    const PreviewFile file = BuildPreviewFile(page, QStringLiteral("http://ex.jp/d/"),
                                              QStringLiteral("/q/skin/css/default.css"), QStringLiteral("/q"));
    EXPECT_TRUE(file.converted);
    EXPECT_EQ(file.text,
              QStringLiteral("<link rel='stylesheet' href='/q/skin/css/default.css' type='text/css'>\r\n"
                             "<html><body style=''><a href=\"http://ex.jp/d/n.html\"><IMG src='/q/image/1.gif' "
                             "style='margin:0px; padding:0px; width:1em; height:1em;' border=0></a></body></html>\r\n"));
    EXPECT_EQ(file.text, StyleSheetLine(QStringLiteral("/q/skin/css/default.css")) + QStringLiteral("\r\n") +
                             HTMLConv(RewriteLinks(page, QStringLiteral("http://ex.jp/d/")), QStringLiteral("/q")) +
                             QStringLiteral("\r\n"));
}

}  // namespace
