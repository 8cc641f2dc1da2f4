// The markup rewriting of the preview: the cases below pin the rules'
// order (later rules read what earlier ones left) and the fixed choices for
// what the rules leave open.
#include "platform/codepage/pictographs.h"
#include "host/preview/html_conv.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>

// Failures show the texts, not their code units.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using quenby::preview::HTMLConv;
using quenby::preview::PictographCode;
using quenby::preview::RemoveStyleProperty;
using quenby::preview::UrlRoot;

const QString kFolder = QStringLiteral("/opt/quenby");

QString Conv(const QString& text) { return HTMLConv(text, kFolder); }

QString Image(int n) {
    return QStringLiteral("<IMG src='/opt/quenby/image/%1.gif' style='margin:0px; padding:0px; width:1em; "
                          "height:1em;' border=0>")
        .arg(n);
}

QString Ref(int code) { return QStringLiteral("&#%1;").arg(code); }

TEST(UrlRoot, CutsBeforeTheFirstSlashFromTheNinthCharacter) {
    EXPECT_EQ(UrlRoot(QStringLiteral("http://example.jp/dir/page.html")), QStringLiteral("http://example.jp"));
    EXPECT_EQ(UrlRoot(QStringLiteral("https://example.jp/dir/")), QStringLiteral("https://example.jp"));
    EXPECT_EQ(UrlRoot(QStringLiteral("http://example.jp")), QStringLiteral("http://example.jp"));
    // A one-letter host: its slash is the ninth character itself.
    EXPECT_EQ(UrlRoot(QStringLiteral("http://h/x")), QStringLiteral("http://h"));
}

TEST(UrlRoot, ShortTextsAndBackslashes) {
    EXPECT_EQ(UrlRoot(QString()), QString());
    EXPECT_EQ(UrlRoot(QStringLiteral("a/b/c")), QStringLiteral("a/b/c"));
    EXPECT_EQ(UrlRoot(QStringLiteral("http://h")), QStringLiteral("http://h"));   // eight characters
    EXPECT_EQ(UrlRoot(QStringLiteral("abcdefg/")), QStringLiteral("abcdefg/"));   // slash is the eighth
    EXPECT_EQ(UrlRoot(QStringLiteral("abcdefgh/")), QStringLiteral("abcdefgh"));  // slash is the ninth
    // A backslash ends the host like a slash; the text before it is kept as
    // written.
    EXPECT_EQ(UrlRoot(QStringLiteral("http:\\\\host\\dir\\a.htm")), QStringLiteral("http:\\\\host"));
    EXPECT_EQ(UrlRoot(QStringLiteral("http://host\\dir/a.htm")), QStringLiteral("http://host"));
}

TEST(RemoveStyleProperty, RemovesMatchingDeclarationsWithTheirOwnTextOnly) {
    EXPECT_EQ(RemoveStyleProperty(QString(), QStringLiteral("Color"), QString()), QString());
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("font-family:Osaka; color:red"), QStringLiteral("Font-Family"),
                                  QString()),
              QStringLiteral(" color:red"));
    // The last declaration has no ";": it runs to the end.
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("color:red; font-size:10px"), QStringLiteral("Font-Size"),
                                  QStringLiteral("px")),
              QStringLiteral("color:red; "));
    // The suffix counts with or without the ";", in any case.
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("FONT-SIZE:10PX;x:y"), QStringLiteral("Font-Size"),
                                  QStringLiteral("px")),
              QStringLiteral("x:y"));
    // Every copy of the declaration's exact text goes at once.
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("margin:0;a:b;margin:0;"), QStringLiteral("Margin"), QString()),
              QStringLiteral("a:b;"));
}

TEST(RemoveStyleProperty, IsAPlainSubstringSearch) {
    // "Color" is found inside "background-color", "Padding" inside
    // "padding-left".
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("background-color:#fff;x:y"), QStringLiteral("Color"), QString()),
              QStringLiteral("background-x:y"));
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("padding-left:2px;padding:1px"), QStringLiteral("Padding"),
                                  QString()),
              QString());
}

TEST(RemoveStyleProperty, StopsAtTheFirstDeclarationWithAnotherUnit) {
    const QString style = QStringLiteral("font-size:small;font-size:10px");
    EXPECT_EQ(RemoveStyleProperty(style, QStringLiteral("Font-Size"), QStringLiteral("px")), style);
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("font-size:10px;font-size:small;font-size:9px"),
                                  QStringLiteral("Font-Size"), QStringLiteral("px")),
              QStringLiteral("font-size:small;font-size:9px"));
}

TEST(RemoveStyleProperty, CaseFoldingTouchesAsciiLettersOnly) {
    // A Unicode upper-casing would turn "ß" into "SS" and move the match.
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("ßß;color:red"), QStringLiteral("Color"), QString()),
              QStringLiteral("ßß;"));
    // The Kelvin sign folds to "k" in Unicode, never here.
    EXPECT_EQ(RemoveStyleProperty(QStringLiteral("\u212Aey:1"), QStringLiteral("Key"), QString()),
              QStringLiteral("\u212Aey:1"));
}

TEST(HtmlConvEdgeCases, TheWorkedExamples) {
    EXPECT_EQ(Conv(QStringLiteral("<p style=\"font-family:Osaka; color:red; font-size:10px\">")),
              QStringLiteral("<p style=\" color:red; \">"));
    EXPECT_EQ(Conv(QStringLiteral("<span style='color:#f00;'>")), QStringLiteral("<span style=''>"));
    EXPECT_EQ(Conv(QStringLiteral("<body style=\"font-size:large\">")), QStringLiteral("<body style=\"\">"));
    EXPECT_EQ(Conv(QStringLiteral("<div>font-size:small</div>")), QStringLiteral("<div>font-size:12px</div>"));
    EXPECT_EQ(Conv(QStringLiteral("<div>font-size: small</div>")), QStringLiteral("<div>font-size:12px</div>"));
    EXPECT_EQ(Conv(QStringLiteral("<div style=\"font-size:small;font-size:10px\">")),
              QStringLiteral("<div style=\"font-size:12px;font-size:10px\">"));
    EXPECT_EQ(Conv(Ref(63647)), Image(1));
    EXPECT_EQ(Conv(Ref(63920)), Image(135));
    EXPECT_EQ(Conv(Ref(63919)), Image(166));
    EXPECT_EQ(Conv(QStringLiteral("<script>alert(1)</script>")), QStringLiteral("alert(1)"));
    EXPECT_EQ(Conv(QStringLiteral("a      b")), QStringLiteral("a b"));
    EXPECT_EQ(Conv(QStringLiteral("a   b")), QStringLiteral("a b"));
}

TEST(HtmlConvOrder, BodyFontSizeGoesBeforeTheSizeNamesAreRewritten) {
    // Outside BODY the same declaration survives the tag pass and then
    // becomes a pixel size.
    EXPECT_EQ(Conv(QStringLiteral("<body style='font-size:small'><div style='font-size:small'>")),
              QStringLiteral("<body style=''><div style='font-size:12px'>"));
    EXPECT_EQ(Conv(QStringLiteral("<p style='font-size : large'>")), QStringLiteral("<p style='font-size:18px'>"));
    // The size names are rewritten case-sensitively only.
    EXPECT_EQ(Conv(QStringLiteral("<p style='Font-Size:small'>")), QStringLiteral("<p style='Font-Size:small'>"));
}

TEST(HtmlConvOrder, ColourOnLinksFindsBackgroundColourToo) {
    EXPECT_EQ(Conv(QStringLiteral("<a href=x style='background-color:#fff;color:red'>")),
              QStringLiteral("<a href=x style='background-'>"));
    // Other tags keep their colours.
    EXPECT_EQ(Conv(QStringLiteral("<div style='background-color:#fff;color:red'>")),
              QStringLiteral("<div style='background-color:#fff;color:red'>"));
    EXPECT_EQ(Conv(QStringLiteral("<SPAN STYLE=\"Font-Color:blue;Font-Weight:bold\">")),
              QStringLiteral("<SPAN STYLE=\"Font-\">"));  // "Color" inside "Font-Color" goes first
}

TEST(HtmlConvOrder, ElementPassesRunInTheirOrder) {
    // The style element goes with its content, whatever the case of its tags.
    EXPECT_EQ(Conv(QStringLiteral("a<Style type='text/css'>p{color:red}</STYLE>b")), QStringLiteral("ab"));
    EXPECT_EQ(Conv(QStringLiteral("<link rel=stylesheet href=x.css>t")), QStringLiteral("t"));
    // A frame set loses its start tag, each frame its own; the frame set's
    // end tag is not "</FRAME>" and stays.
    EXPECT_EQ(Conv(QStringLiteral("<frameset cols=2><frame src=a><frame src=b></frameset>")),
              QStringLiteral("</frameset>"));
    EXPECT_EQ(Conv(QStringLiteral("<noframes>alt</noframes>")), QStringLiteral("alt"));
    EXPECT_EQ(Conv(QStringLiteral("x<iframe src=a>inner</iframe>y")), QStringLiteral("xy"));
    // Removing one span can form a new opening; its pass catches it too.
    EXPECT_EQ(Conv(QStringLiteral("<sc<script>ript>t")), QString(QStringLiteral("t")));
}

TEST(HtmlConvOrder, EveryCopyOfARemovedSpanGoesAtOnce) {
    EXPECT_EQ(Conv(QStringLiteral("<script src=a>1<script src=a>2<SCRIPT src=a>3")),
              QStringLiteral("123"));
}

// A page holding pictographs as their bytes shows them as a page holding
// references does; extended ones (no picture of ours) as their emoji.
TEST(HtmlConvPictographs, RawPictographsShowAsTheirReferencesDo) {
    const auto raw = [](const char* bytes) { return QString::fromStdU16String(platform::codepage::ToUtf16(bytes)); };
    EXPECT_EQ(Conv(raw("a\xF8\x9F" "b\xF9\x40" "c")), "a" + Image(1) + "b" + Image(95) + "c");
    EXPECT_EQ(Conv(raw("\xF9\xB0")), Image(135));
    // F9 50 is an extended pictograph: a face with a smile's emoji.
    const QString extended = Conv(raw("\xF9\x50"));
    EXPECT_FALSE(extended.contains(QStringLiteral("<IMG")));
    EXPECT_EQ(extended, QString::fromStdU16String(platform::codepage::PictographToUnicode(0xF950)));
    EXPECT_FALSE(extended.isEmpty());
    // Other characters of the user-defined area stay.
    EXPECT_EQ(Conv(raw("\xF0\x40\xF8\x40")), raw("\xF0\x40\xF8\x40"));
}

TEST(HtmlConvPictographs, EveryRangeEndAndTheCodesAround) {
    const struct {
        int n;
        int code;
    } table[] = {{1, 63647},   {94, 63740},  {95, 63808},  {104, 63817}, {105, 63858}, {117, 63870},
                 {118, 63872}, {134, 63888}, {135, 63920}, {136, 63889}, {166, 63919}};
    for (const auto& row : table) {
        EXPECT_EQ(PictographCode(row.n), row.code) << row.n;
        EXPECT_EQ(Conv(Ref(row.code)), Image(row.n)) << row.n;
    }
    EXPECT_EQ(PictographCode(0), 0);
    EXPECT_EQ(PictographCode(167), 0);
    // Codes that are no pictograph stay as written: just before number 1,
    // the gaps at 0xF8FD, 0xF94A, 0xF971 and 0xF97F, and just after number
    // 135's code.
    for (const int code : {63646, 63741, 63807, 63818, 63857, 63871, 63921})
        EXPECT_EQ(Conv(Ref(code)), Ref(code)) << code;
}

TEST(HtmlConvPictographs, OnlyDecimalReferencesOfTheirExactFormChange) {
    EXPECT_EQ(Conv(QStringLiteral("&#xF89F;")), QStringLiteral("&#xF89F;"));
    EXPECT_EQ(Conv(QStringLiteral("&#063647;")), QStringLiteral("&#063647;"));
    EXPECT_EQ(Conv(QStringLiteral("&#63647")), QStringLiteral("&#63647"));
    EXPECT_EQ(Conv(QStringLiteral("a&#63647;&#63647;b&&#63648;")), QStringLiteral("a") + Image(1) + Image(1) +
                                                                        QStringLiteral("b&") + Image(2));
}

TEST(HtmlConvPictographs, TheImagePathJoinsTheFolderOnce) {
    const QString tail =
        QStringLiteral(".gif' style='margin:0px; padding:0px; width:1em; height:1em;' border=0>");
    EXPECT_EQ(HTMLConv(Ref(63647), QStringLiteral("/p/")), QStringLiteral("<IMG src='/p/image/1") + tail);
    EXPECT_EQ(HTMLConv(Ref(63647), QStringLiteral("/p")), QStringLiteral("<IMG src='/p/image/1") + tail);
    // A folder whose name holds a reference: the numbers are replaced in
    // turn, so a later number's replace reaches into an earlier image.
    EXPECT_EQ(HTMLConv(Ref(63647), QStringLiteral("/&#63650;")),
              QStringLiteral("<IMG src='/<IMG src='/&#63650;/image/4") + tail + QStringLiteral("/image/1") + tail);
}

TEST(HtmlConvBlanks, SpaceRunsCollapseAndOtherBlanksStay) {
    for (int run = 2; run <= 40; ++run)
        EXPECT_EQ(Conv(QStringLiteral("a") + QString(run, u' ') + QStringLiteral("b")), QStringLiteral("a b")) << run;
    EXPECT_EQ(Conv(QStringLiteral("a\t\tb\u3000\u3000c")), QStringLiteral("a\t\tb\u3000\u3000c"));
    EXPECT_EQ(Conv(QStringLiteral("a \t b")), QStringLiteral("a \t b"));
}

TEST(HtmlConvBlanks, BlankLinePairsJoinOnce) {
    // Space joining ends in one round, and each round joins each pair of
    // line breaks once: four become two, not one.
    EXPECT_EQ(Conv(QStringLiteral("a\r\n\r\n\r\n\r\nb")), QStringLiteral("a\r\n\r\nb"));
    EXPECT_EQ(Conv(QStringLiteral("a\r\n\r\n\r\nb")), QStringLiteral("a\r\n\r\nb"));
    EXPECT_EQ(Conv(QStringLiteral("a   \r\n\r\n\r\n\r\nb          c")), QStringLiteral("a \r\n\r\nb c"));
    EXPECT_EQ(Conv(QStringLiteral("a \r\n \r\n b")), QStringLiteral("a \r\n \r\n b"));
    // Bare CRs and LFs are no line breaks here.
    EXPECT_EQ(Conv(QStringLiteral("a\n\nb\r\rc")), QStringLiteral("a\n\nb\r\rc"));
}

TEST(HtmlConvTags, StyleValuesInEitherQuote) {
    EXPECT_EQ(Conv(QStringLiteral("<p style='margin:0;color:red'>")), QStringLiteral("<p style='color:red'>"));
    EXPECT_EQ(Conv(QStringLiteral("<p style=\"margin:0;color:red\">")), QStringLiteral("<p style=\"color:red\">"));
    // The other quote inside a value is part of it.
    EXPECT_EQ(Conv(QStringLiteral("<p style=\"font-family:'MS Gothic';color:red\">")),
              QStringLiteral("<p style=\"color:red\">"));
    // Blanks around "=" are allowed; anything else there is no style
    // attribute, nor is an unquoted value.
    EXPECT_EQ(Conv(QStringLiteral("<p style  =  'margin:0'>")), QStringLiteral("<p style = ''>"));
    EXPECT_EQ(Conv(QStringLiteral("<p styles='margin:0'>")), QStringLiteral("<p styles='margin:0'>"));
    EXPECT_EQ(Conv(QStringLiteral("<p style=margin:0>")), QStringLiteral("<p style=margin:0>"));
    // Every style attribute of a tag is cleaned, and the scan goes on past
    // a word "style" that has no value.
    EXPECT_EQ(Conv(QStringLiteral("<p title=style style='margin:0;a:b' style='padding:1px'>")),
              QStringLiteral("<p title=style style='a:b' style=''>"));
}

TEST(HtmlConvTags, AValueChangesEverywhereInItsTag) {
    EXPECT_EQ(Conv(QStringLiteral("<p title='margin:0' style='margin:0'>")), QStringLiteral("<p title='' style=''>"));
    // A later value equal to the cleaned one's old text was replaced with
    // it, and is cleaned no further.
    EXPECT_EQ(Conv(QStringLiteral("<a style='color:red' style='color:red'>")), QStringLiteral("<a style='' style=''>"));
}

TEST(HtmlConvTags, TheTagNameIsTheTextBeforeItsFirstSpace) {
    EXPECT_EQ(Conv(QStringLiteral("<A style='color:red'>")), QStringLiteral("<A style=''>"));
    EXPECT_EQ(Conv(QStringLiteral("<abbr style='color:red'>")), QStringLiteral("<abbr style='color:red'>"));
    EXPECT_EQ(Conv(QStringLiteral("<  span style='color:red'>")), QStringLiteral("<span style=''>"));
    // Without a space the whole tag is the name, which is none of BODY, A
    // and SPAN: the general properties still go.
    EXPECT_EQ(Conv(QStringLiteral("<a\tstyle='color:red;margin:0'>")), QStringLiteral("<a\tstyle='color:red;'>"));
    EXPECT_EQ(Conv(QStringLiteral("<span/style='color:red'>")), QStringLiteral("<span/style='color:red'>"));
}

TEST(HtmlConvTags, AValueWithoutItsClosingQuoteLeavesTheTagAlone) {
    EXPECT_EQ(Conv(QStringLiteral("<p style='margin:0>text")), QStringLiteral("<p style='margin:0>text"));
    // Values cleaned before the broken one in the same tag are kept as
    // written too.
    EXPECT_EQ(Conv(QStringLiteral("<p style='margin:0' style=\"margin:0>")),
              QStringLiteral("<p style='margin:0' style=\"margin:0>"));
    // The blank after "<" still goes.
    EXPECT_EQ(Conv(QStringLiteral("< p style='margin:0>")), QStringLiteral("<p style='margin:0>"));
}

TEST(HtmlConvTags, OnloadAttributesGoWhole) {
    EXPECT_EQ(Conv(QStringLiteral("<body onload='x()'>")), QStringLiteral("<body>"));
    EXPECT_EQ(Conv(QStringLiteral("<body onload=\"init('a b')\" bgcolor=white>")),
              QStringLiteral("<body bgcolor=white>"));
    EXPECT_EQ(Conv(QStringLiteral("<BODY ONLOAD = go() text=black>")), QStringLiteral("<BODY text=black>"));
    EXPECT_EQ(Conv(QStringLiteral("<body OnLoad=go()>")), QStringLiteral("<body>"));
    EXPECT_EQ(Conv(QStringLiteral("<img onload=>")), QStringLiteral("<img>"));
    // Every one of the tag goes, also one that a removal joins together.
    EXPECT_EQ(Conv(QStringLiteral("<body onload='a()' class=c onload='b()'>")), QStringLiteral("<body class=c>"));
    EXPECT_EQ(Conv(QStringLiteral("<body on onload='a()'load='b()'>")), QStringLiteral("<body>"));
    // An ONLOAD that no "=" follows is no handler; a removal that brings
    // one to an "=" makes it one.
    EXPECT_EQ(Conv(QStringLiteral("<p>onload</p>")), QStringLiteral("<p>onload</p>"));
    EXPECT_EQ(Conv(QStringLiteral("<img alt=onloading>")), QStringLiteral("<img alt=onloading>"));
    EXPECT_EQ(Conv(QStringLiteral("<b onload onload='x' =y>")), QStringLiteral("<b>"));
    // A value without its closing quote runs to the tag's ">".
    EXPECT_EQ(Conv(QStringLiteral("<body onload='x() text=black>")), QStringLiteral("<body>"));
    // Style cleaning sees the tag without its handlers.
    EXPECT_EQ(Conv(QStringLiteral("<span onload='x' style='color:red'>")), QStringLiteral("<span style=''>"));
}

TEST(HtmlConvTags, RepeatedTagsAreRewrittenAlike) {
    QString page;
    QString expected;
    for (int i = 0; i < 300; ++i) {
        page += QStringLiteral("<font style='font-size:10px;color:red'>x</font>\r\n<span style='color:blue'>y</span>");
        expected += QStringLiteral("<font style='color:red'>x</font>\r\n<span style=''>y</span>");
    }
    EXPECT_EQ(Conv(page), expected);
}

TEST(HtmlConvTags, ARewriteReachesCopiesOfTheTagInsideEarlierText) {
    // "<a style='color:red'>" first stands inside the larger tag before it,
    // which the pass read as one tag named X and left alone; the later
    // rewrite of the A tag changes it there too.
    EXPECT_EQ(Conv(QStringLiteral("<x <a style='color:red'><a style='color:red'>")),
              QStringLiteral("<x <a style=''><a style=''>"));
    // A rewritten copy is read again when the pass reaches it, and what it
    // becomes then changes every copy again.
    EXPECT_EQ(Conv(QStringLiteral("<p style='font-famargin:0;mily:x'><p style='font-famargin:0;mily:x'>")),
              QStringLiteral("<p style=''><p style=''>"));
}

TEST(HtmlConvTags, ScriptTextStaysAsTextReadLikeMarkup) {
    // Inside the script, "< b) ...</Script >" reads as one tag to the tag
    // pass, which drops the blank after its "<".
    EXPECT_EQ(Conv(QStringLiteral("<SCRIPT language=\"JavaScript\">if (a < b) go();</Script >c")),
              QStringLiteral("if (a <b) go();c"));
}

TEST(HtmlConvUnclosed, OpeningsWithoutTheirEndTagLoseTheStartTagOnly) {
    EXPECT_EQ(Conv(QStringLiteral("a<style>p{}b")), QStringLiteral("ap{}b"));
    EXPECT_EQ(Conv(QStringLiteral("a<frame src=x>b")), QStringLiteral("ab"));
    EXPECT_EQ(Conv(QStringLiteral("a<iframe src=x>b")), QStringLiteral("ab"));
    EXPECT_EQ(Conv(QStringLiteral("a<FRAMESET rows=2>b")), QStringLiteral("ab"));
    // No ">" either: the rest of the page goes.
    EXPECT_EQ(Conv(QStringLiteral("a<style b")), QStringLiteral("a"));
    EXPECT_EQ(Conv(QStringLiteral("a<iframe")), QStringLiteral("a"));
    EXPECT_EQ(Conv(QStringLiteral("a<script src=b")), QStringLiteral("a"));
    EXPECT_EQ(Conv(QStringLiteral("a<</STYLE>b<style>")), QStringLiteral("a<</STYLE>b"));
}

TEST(HtmlConv, APageWithNoPatternOnlyLosesBlanks) {
    const QString page = QStringLiteral("<html><body bgcolor=\"#ffffff\">こんにちは  世界<br></body></html>");
    EXPECT_EQ(Conv(page), QStringLiteral("<html><body bgcolor=\"#ffffff\">こんにちは 世界<br></body></html>"));
    EXPECT_EQ(Conv(QString()), QString());
    EXPECT_EQ(Conv(QStringLiteral("<")), QStringLiteral("<"));
    EXPECT_EQ(Conv(QStringLiteral(">x<")), QStringLiteral(">x<"));
}

}  // namespace
