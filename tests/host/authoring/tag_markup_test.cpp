// The markup the tag dialogs insert, and the cases in which they insert
// nothing, without any window.
#include <gtest/gtest.h>

#include "host/authoring/tag_markup.h"

namespace quenby::authoring {
namespace {

std::string S(const QString& s) { return s.toStdString(); }

TEST(LinkMarkup, AttributesAppearOnlyWhenGivenAndNoneMeansNothing) {
    EXPECT_EQ(S(LinkMarkup("top", "http://example.jp/", "5")),
              "<A href=\"http://example.jp/\" accesskey=\"5\">top</A>");
    EXPECT_EQ(S(LinkMarkup("...", "", "#")), "<A accesskey=\"#\">...</A>");
    EXPECT_EQ(S(LinkMarkup("x", "a.html", "")), "<A href=\"a.html\">x</A>");
    EXPECT_EQ(S(LinkMarkup("", "a.html", "設定しない")), "<A href=\"a.html\"></A>");
    EXPECT_EQ(LinkMarkup("top", "", "設定しない"), QString());
    EXPECT_EQ(LinkMarkup("top", "", ""), QString());
    EXPECT_EQ(LinkMarkup("", "", ""), QString());
}

TEST(LinkTarget, TheFirstSevenCharactersChooseTheKind) {
    EXPECT_EQ(UrlOptionFor("http://a"), UrlOption::Web);
    EXPECT_EQ(UrlOptionFor("http://"), UrlOption::Web);
    EXPECT_EQ(UrlOptionFor("mailto:me@example.jp"), UrlOption::Mail);
    EXPECT_EQ(UrlOptionFor("https://a"), UrlOption::Other);
    EXPECT_EQ(UrlOptionFor("http:/"), UrlOption::Other);
    EXPECT_EQ(UrlOptionFor("HTTP://a"), UrlOption::Other);
    EXPECT_EQ(UrlOptionFor(" http://a"), UrlOption::Other);
    EXPECT_EQ(UrlOptionFor(""), UrlOption::Other);
}

TEST(LinkTarget, ChoosingAKindRewritesThePrefix) {
    EXPECT_EQ(S(TargetForOption("mailto:me@example.jp", UrlOption::Web)), "http://me@example.jp");
    EXPECT_EQ(S(TargetForOption("https://example.jp", UrlOption::Web)), "http://example.jp");
    EXPECT_EQ(S(TargetForOption("example.jp", UrlOption::Web)), "http://example.jp");
    EXPECT_EQ(S(TargetForOption("", UrlOption::Web)), "http://");
    EXPECT_EQ(S(TargetForOption("http://me@example.jp", UrlOption::Mail)), "mailto:me@example.jp");
    EXPECT_EQ(S(TargetForOption("https://me", UrlOption::Mail)), "mailto:me");
    // Every occurrence goes, not only a leading one.
    EXPECT_EQ(S(TargetForOption("http://a/http://b", UrlOption::Mail)), "mailto:a/b");
    // "Other" strips the two prefixes it knows but keeps a secure scheme.
    EXPECT_EQ(S(TargetForOption("http://a.html", UrlOption::Other)), "a.html");
    EXPECT_EQ(S(TargetForOption("mailto:me", UrlOption::Other)), "me");
    EXPECT_EQ(S(TargetForOption("https://a", UrlOption::Other)), "https://a");
    // The removals run one after the other, each in a single pass.
    EXPECT_EQ(S(TargetForOption("htmailto:tp://x", UrlOption::Other)), "http://x");
    EXPECT_EQ(S(TargetForOption("httpmailto:s://x", UrlOption::Web)), "http://x");
}

TEST(LinkTarget, ToolTipsAndAccessKeyCaptions) {
    EXPECT_EQ(S(TargetToolTip(UrlOption::Web)), " http:// に続けてリンク先アドレスを入力してください。");
    EXPECT_EQ(S(TargetToolTip(UrlOption::Mail)), " mailto: に続けてメールアドレスを入力してください。");
    EXPECT_TRUE(TargetToolTip(UrlOption::Other).isEmpty());
    EXPECT_EQ(AccessKeyCaptions(), QStringList({"設定しない", "1", "2", "3", "4", "5", "6", "7", "8", "9", "*",
                                                "0", "#"}));
}

TEST(ImageMarkup, TheElementComesBeforeTheKeptSelection) {
    EXPECT_EQ(S(ImageMarkup("sel", "a.gif", "絵")), "<IMG src=\"a.gif\" alt=\"絵\">sel");
    EXPECT_EQ(S(ImageMarkup("sel", "", "logo")), "<IMG alt=\"logo\">sel");
    EXPECT_EQ(S(ImageMarkup("", "/no/such.gif", "")), "<IMG src=\"/no/such.gif\">");
    EXPECT_EQ(ImageMarkup("sel", "", ""), QString());
}

TEST(FontMarkup, ColourComesBeforeSizeAndNeitherMeansNothing) {
    EXPECT_EQ(S(FontMarkup("big", "+1", "#FF0000")), "<FONT color=\"#FF0000\" size=\"+1\">big</FONT>");
    EXPECT_EQ(S(FontMarkup("x", "-2", "")), "<FONT size=\"-2\">x</FONT>");
    EXPECT_EQ(S(FontMarkup("", "", "#000080")), "<FONT color=\"#000080\"></FONT>");
    EXPECT_EQ(FontMarkup("x", "", ""), QString());
    EXPECT_EQ(FontSizes(), QStringList({"1", "2", "3", "4", "5", "6", "7", "-2", "-1", "+0", "+1", "+2", "+3", "+4"}));
}

TEST(ColourTable, KeysNamesAndSwatchesInTheirOrder) {
    const auto& t = ColourTable();
    ASSERT_EQ(t.size(), 18u);
    const std::pair<const char*, const char*> expected[] = {
        {"", "自動"},           {"other", "その他"},  {"#FF0000", "赤"},  {"#00FF00", "黄緑"}, {"#FFFF00", "黄"},
        {"#0000FF", "青"},      {"#FF00FF", "赤紫"},  {"#00FFFF", "水色"}, {"#FFFFFF", "白"},   {"#800000", "茶色"},
        {"#008000", "緑"},      {"#808000", "オリーブ"}, {"#000080", "紺"}, {"#800080", "紫"},   {"#008080", "青緑"},
        {"#808080", "灰色"},    {"#C0C0C0", "銀色"},  {"#000000", "黒"}};
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(S(t[i].key), expected[i].first) << i;
        EXPECT_EQ(S(t[i].name), expected[i].second) << i;
    }
    EXPECT_EQ(t[0].swatch, QColor(Qt::black));  // automatic
    EXPECT_EQ(t[1].swatch, QColor(Qt::white));  // other, until chosen
    EXPECT_EQ(t[3].swatch, QColor(0, 255, 0));
    EXPECT_EQ(t[9].swatch, QColor(128, 0, 0));
    EXPECT_EQ(t[16].swatch, QColor(192, 192, 192));
}

TEST(ColourTable, SystemColoursBecomeRedGreenBlueCodes) {
    EXPECT_EQ(S(ColourCodeFromSystem(255)), "#FF0000");
    EXPECT_EQ(S(ColourCodeFromSystem(0x00FF0000)), "#0000FF");
    EXPECT_EQ(S(ColourCodeFromSystem(0x00123456)), "#563412");
    EXPECT_EQ(S(ColourCodeFromSystem(0x000A0B0C)), "#0C0B0A");
    EXPECT_EQ(S(ColourCodeFromSystem(0)), "#000000");
    EXPECT_EQ(S(ColourCodeFromSystem(0x00FFFFFF)), "#FFFFFF");
}

TEST(MarqueeMarkup, EachChoiceAddsItsAttributeAndTheTextMayBeEmpty) {
    EXPECT_EQ(S(MarqueeMarkup("news", 0, 0)), "<MARQUEE>news</MARQUEE>");
    EXPECT_EQ(S(MarqueeMarkup("", 0, 0)), "<MARQUEE></MARQUEE>");
    EXPECT_EQ(S(MarqueeMarkup("a", 1, 0)), "<MARQUEE behavior=\"scroll\">a</MARQUEE>");
    EXPECT_EQ(S(MarqueeMarkup("a", 2, 1)), "<MARQUEE behavior=\"slide\" direction=\"left\">a</MARQUEE>");
    EXPECT_EQ(S(MarqueeMarkup("a", 3, 2)), "<MARQUEE behavior=\"alternate\" direction=\"right\">a</MARQUEE>");
    EXPECT_EQ(S(MarqueeMarkup("a", 0, 2)), "<MARQUEE direction=\"right\">a</MARQUEE>");
    EXPECT_EQ(MarqueeBehaviours(), QStringList({"(自動)", "スクロール", "スライド", "交互"}));
    EXPECT_EQ(MarqueeDirections(), QStringList({"(自動)", "左へ", "右へ"}));
}

}  // namespace
}  // namespace quenby::authoring
