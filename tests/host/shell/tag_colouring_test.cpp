// HTML tag colouring: which runs a row gets (on plain strings), and the
// runs reaching a real control while it paints.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTest>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>
#include <ostream>

#include "host/common/control_host.h"
#include "host/shell/tag_colouring.h"
#include "shell_test_support.h"

namespace quenby::shell {

void PrintTo(const ColourRun& r, std::ostream* os) {
    *os << "{x " << r.x << ", y " << r.y << ", L " << r.length << ", colour " << r.colour << "}";
}

namespace {

constexpr std::uint32_t kTag = 0x11, kAttr = 0x22, kComment = 0x33;
const TagColours kColours{kTag, kAttr, kComment};

QStringList L(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items) out << QString::fromUtf8(s);
    return out;
}

std::vector<ColourRun> Rows(const QStringList& rows, const QStringList& html, const QStringList& comment = {}) {
    return ColourTags(0, static_cast<int>(rows.size()) - 1, [&](int i) { return rows.value(i); }, html, comment,
                      kColours);
}
std::vector<ColourRun> Row(const char* row, const QStringList& html, const QStringList& comment = {}) {
    return Rows({QString::fromUtf8(row) + QStringLiteral("\r\n")}, html, comment);
}

ColourRun Tag(int x, int len, int y = 0) { return {x, y, len, kTag}; }
ColourRun Attr(int x, int len, int y = 0) { return {x, y, len, kAttr}; }
ColourRun Comment(int x, int len, int y = 0) { return {x, y, len, kComment}; }
using Runs = std::vector<ColourRun>;

// ---- Which tags are coloured ----------------------------------------------

TEST(TagColouringTags, AnOpeningTagGetsTheTagColourAndItsAttributeTheAttributeColour) {
    // "<a href=x.htm>" is 14 bytes; "href=" starts at byte 3.
    EXPECT_EQ(Row("<a href=x.htm>link</a>", L({"A HREF"})), (Runs{Tag(0, 14), Attr(3, 5)}));
    // Case never matters: the row is compared in upper case.
    EXPECT_EQ(Row("<A HrEf=x.htm>", L({"A HREF"})), (Runs{Tag(0, 14), Attr(3, 5)}));
}

TEST(TagColouringTags, AClosingTagNeedsAnEntryOfItsOwn) {
    EXPECT_EQ(Row("<a href=x.htm>link</a>", L({"A HREF", "/A"})), (Runs{Tag(0, 14), Attr(3, 5), Tag(18, 4)}));
}

TEST(TagColouringTags, ASpaceAfterTheBracketIsFoldedBeforeTheNameTest) {
    // The attribute search still counts from the unfolded tag.
    EXPECT_EQ(Row("< a href=x>", L({"A HREF"})), (Runs{Tag(0, 11), Attr(4, 5)}));
    EXPECT_EQ(Row("<   a>", L({"A"})), (Runs{Tag(0, 6)}));
}

TEST(TagColouringTags, TheNameMustEndAtASpaceOrTheBracket) {
    EXPECT_TRUE(Row("<ab>", L({"A HREF"})).empty());
    EXPECT_TRUE(Row("<ab href=x>", L({"A HREF"})).empty());
    EXPECT_TRUE(Row("<xa href=x>", L({"A HREF"})).empty());
    EXPECT_TRUE(Row("<a=1>", L({"A"})).empty());
    EXPECT_EQ(Row("<a>", L({"A HREF"})), (Runs{Tag(0, 3)}));
    EXPECT_EQ(Row("<ab>", L({"A", "AB"})), (Runs{Tag(0, 4)}));
}

TEST(TagColouringTags, ATagWithNothingButItsNameIsPaintedAndStillTriedFurther) {
    // "<br>" is painted by BR, then matched by the comment pattern too.
    EXPECT_EQ(Row("<br>", L({"BR"}), L({"<B*>"})), (Runs{Tag(0, 4), Comment(0, 4)}));
    // ... and by a later entry of the same name.
    EXPECT_EQ(Row("<br>", L({"BR", "BR CLEAR"})), (Runs{Tag(0, 4), Tag(0, 4)}));
    // One trailing space is still "nothing but the name".
    EXPECT_EQ(Row("<br >", L({"BR"}), L({"<B*>"})), (Runs{Tag(0, 5), Comment(0, 5)}));
    // With more than its name the first entry handles it: no further runs.
    EXPECT_EQ(Row("<br clear=all>", L({"BR CLEAR", "BR"}), L({"<B*>"})), (Runs{Tag(0, 14), Attr(4, 6)}));
    // Handled even when none of its attributes is there.
    EXPECT_EQ(Row("<br id=1>", L({"BR CLEAR"}), L({"<B*>"})), (Runs{Tag(0, 9)}));
}

TEST(TagColouringTags, TheFirstEntryOfANameDecidesItsAttributes) {
    EXPECT_EQ(Row("<a href=x>", L({"A NAME", "A HREF"})), (Runs{Tag(0, 10)}));
    EXPECT_EQ(Row("<a href=x>", L({"A HREF", "A NAME"})), (Runs{Tag(0, 10), Attr(3, 5)}));
}

TEST(TagColouringTags, ATagWithoutItsClosingBracketOnTheRowIsNotColoured) {
    EXPECT_TRUE(Row("<a href=x.htm", L({"A HREF"})).empty());
    // Tags never span rows: neither half is coloured.
    EXPECT_TRUE(Rows({QStringLiteral("<a\r\n"), QStringLiteral("href=x>\r\n")}, L({"A HREF"})).empty());
    // The tags before an unclosed one still are.
    EXPECT_EQ(Row("<br><a href", L({"BR"})), (Runs{Tag(0, 4)}));
}

TEST(TagColouringTags, SeveralTagsOnARowEachInItsPlace) {
    const QStringList html = L({"P ALIGN", "A HREF NAME", "BR CLEAR", "/A", "/P"});
    // 16 + 25 characters of ASCII, then two double-byte characters.
    EXPECT_EQ(Row("<p align=center><a href=\"x.htm\" name=top>日本</a><br></p>", html, L({"<!--*-->"})),
              (Runs{Tag(0, 16), Attr(3, 6), Tag(16, 25), Attr(19, 5), Attr(32, 5), Tag(45, 4), Tag(49, 4),
                    Tag(53, 4)}));
    // Text between tags, tags not in the list, and a ">" outside any tag.
    EXPECT_EQ(Row("a > b <i>x</i> <p>y</p>", L({"P"})), (Runs{Tag(15, 3)}));
}

TEST(TagColouringTags, EveryRowOfTheRangeWithItsOwnIndex) {
    const QStringList rows{QStringLiteral("<br>\r\n"), QStringLiteral("text\r\n"), QStringLiteral(" <br>\r\n"),
                           QStringLiteral("<br>")};
    const Runs runs = ColourTags(1, 3, [&](int i) { return rows.value(i); }, L({"BR"}), {}, kColours);
    EXPECT_EQ(runs, (Runs{Tag(1, 4, 2), Tag(0, 4, 3)}));
}

// ---- Positions in bytes ---------------------------------------------------

TEST(TagColouringPositions, ATagAfterShiftJisCharactersStartsAtItsByteColumn) {
    EXPECT_EQ(Row("日本<a href=x>", L({"A HREF"})), (Runs{Tag(4, 10), Attr(7, 5)}));
    // A half-width katakana takes one byte, a kanji two.
    EXPECT_EQ(Row("ｱ日<a href=x>", L({"A HREF"})), (Runs{Tag(3, 10), Attr(6, 5)}));
    // A character the code page lacks is stored as one "?".
    EXPECT_EQ(Row("😀<br>", L({"BR"})), (Runs{Tag(1, 4)}));
    // The second of two tags, with double-byte text between them.
    EXPECT_EQ(Row("<br>日本語<br>", L({"BR"})), (Runs{Tag(0, 4), Tag(10, 4)}));
}

TEST(TagColouringPositions, ADoubleByteValueBeforeAnAttributeKeepsItsByteColumn) {
    // "<A TITLE=日本 " is 14 bytes but 12 characters: HREF is at byte 14.
    EXPECT_EQ(Row("<a title=日本 href=x>", L({"A TITLE HREF"})), (Runs{Tag(0, 21), Attr(3, 6), Attr(14, 5)}));
}

TEST(TagColouringPositions, ADoubleByteAttributeNameIsPaintedAsTheArithmeticSays) {
    // The attribute's column is that of the second byte of its first
    // character, and its length counts characters: "名前=" (bytes 3..7) is
    // painted as bytes 4..6. Attribute names of HTML are ASCII; this only
    // shows the result for a list edited by hand is defined.
    EXPECT_EQ(Row("<a 名前=x>", L({"A 名前"})), (Runs{Tag(0, 10), Attr(4, 3)}));
}

TEST(TagColouringPositions, TheLineEndingOfARowDoesNotMatter) {
    const Runs expected{Tag(0, 4)};
    EXPECT_EQ(Rows({QStringLiteral("<br>\r\n")}, L({"BR"})), expected);
    EXPECT_EQ(Rows({QStringLiteral("<br>") + QChar(u'\0')}, L({"BR"})), expected);
    EXPECT_EQ(Rows({QStringLiteral("<br>")}, L({"BR"})), expected);
    EXPECT_EQ(Rows({QStringLiteral("<br\r\n>")}, L({"BR"})), Runs{});
    EXPECT_EQ(Rows({QStringLiteral("\r\n"), QString(QChar(u'\0'))}, L({"BR"})), Runs{});
}

TEST(TagColouringPositions, ALongRowWithThousandsOfTagsKeepsEveryColumn) {
    // 18 bytes (16 characters) a repetition: the byte column must not drift.
    QString row;
    const int n = 6000;
    for (int i = 0; i < n; ++i) row += QStringLiteral("<a href=x>日本</a>");
    const Runs runs = Rows({row + QStringLiteral("\r\n")}, L({"A HREF", "/A"}));
    ASSERT_EQ(runs.size(), static_cast<std::size_t>(3 * n));
    for (int i = 0; i < n; ++i) {
        const std::size_t k = static_cast<std::size_t>(3 * i);
        ASSERT_EQ(runs[k], Tag(18 * i, 10)) << "repetition " << i;
        ASSERT_EQ(runs[k + 1], Attr(18 * i + 3, 5)) << "repetition " << i;
        ASSERT_EQ(runs[k + 2], Tag(18 * i + 14, 4)) << "repetition " << i;
    }
}

// ---- Attributes -----------------------------------------------------------

TEST(TagColouringAttributes, SpacesBetweenTheNameAndTheEqualsSignArePaintedWithIt) {
    EXPECT_EQ(Row("<a href = x>", L({"A HREF"})), (Runs{Tag(0, 12), Attr(3, 6)}));
    // Without an "=" after it the name is not painted.
    EXPECT_EQ(Row("<input type=checkbox checked>", L({"INPUT TYPE CHECKED"})), (Runs{Tag(0, 29), Attr(7, 5)}));
}

TEST(TagColouringAttributes, ANameInsideAValueIsPassedOverForTheRealOne) {
    // NAME is first found in "name.htm" (not followed by "="), then as the
    // attribute.
    EXPECT_EQ(Row("<a href=name.htm name=top>", L({"A NAME"})), (Runs{Tag(0, 26), Attr(17, 5)}));
}

TEST(TagColouringAttributes, AnAttributeNamedTwiceIsPaintedTwiceButAThirdTimeIsSkipped) {
    EXPECT_EQ(Row("<a href=1 href=2>", L({"A HREF"})), (Runs{Tag(0, 17), Attr(3, 5), Attr(10, 5)}));
    // The search start adds up whole positions, so after the second hit it
    // lies past the third HREF (at byte 17).
    EXPECT_EQ(Row("<a href=1 href=2 href=3>", L({"A HREF"})), (Runs{Tag(0, 24), Attr(3, 5), Attr(10, 5)}));
}

TEST(TagColouringAttributes, ANameThatEndsAnotherIsPaintedInsideIt) {
    // Nothing looks at what comes before the name: COLOR is found in
    // BGCOLOR and its last five letters with the "=" are painted.
    EXPECT_EQ(Row("<font bgcolor=red>", L({"FONT COLOR"})), (Runs{Tag(0, 18), Attr(8, 6)}));
    // With both names listed the whole of VLINK= ends up painted.
    EXPECT_EQ(Row("<body vlink=red>", L({"BODY LINK VLINK"})), (Runs{Tag(0, 16), Attr(7, 5), Attr(6, 6)}));
}

TEST(TagColouringAttributes, ANameThatStartsAnotherIsNotPainted) {
    EXPECT_EQ(Row("<a names=x>", L({"A NAME"})), (Runs{Tag(0, 11)}));
    EXPECT_EQ(Row("<a namename=x>", L({"A NAME"})), (Runs{Tag(0, 14), Attr(3, 9)}));
}

// ---- Comment patterns -----------------------------------------------------

TEST(TagColouringComments, ATagMatchingACommentPatternGetsTheCommentColour) {
    const QStringList comments = L({"<!--*-->", "<!DOCTYPE*>", "<?XML*?>"});
    EXPECT_EQ(Row("<!-- x -->", {}, comments), (Runs{Comment(0, 10)}));
    EXPECT_EQ(Row("<!doctype html>", {}, comments), (Runs{Comment(0, 15)}));
    EXPECT_EQ(Row("<?xml version=\"1.0\"?>", {}, comments), (Runs{Comment(0, 21)}));
    EXPECT_EQ(Row("日本<!--コメント-->", {}, comments), (Runs{Comment(4, 15)}));
    // A ">" inside a comment ends the tag there, so it no longer matches.
    EXPECT_TRUE(Row("<!-- a > b -->", {}, comments).empty());
}

TEST(TagColouringComments, OnlyTheFirstMatchingPatternPaintsAndOnlyUnhandledTags) {
    EXPECT_EQ(Row("<!-- x -->", {}, L({"<!*>", "<!--*-->"})), (Runs{Comment(0, 10)}));
    EXPECT_EQ(Row("<a href=x>", L({"A HREF"}), L({"<*>"})), (Runs{Tag(0, 10), Attr(3, 5)}));
    EXPECT_EQ(Row("<b>x</b>", L({"A HREF"}), L({"<*>"})), (Runs{Comment(0, 3), Comment(4, 4)}));
}

// ---- Bad input ------------------------------------------------------------

TEST(TagColouringBadInput, EmptyListsAndEmptyRangesGiveNoRuns) {
    EXPECT_TRUE(Row("<a href=x>", {}, {}).empty());
    int reads = 0;
    const auto row = [&](int) {
        ++reads;
        return QStringLiteral("<br>");
    };
    EXPECT_TRUE(ColourTags(3, 2, row, L({"BR"}), {}, kColours).empty());
    EXPECT_TRUE(ColourTags(0, 0, {}, L({"BR"}), {}, kColours).empty());
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(Rows({QString()}, L({"BR"})).empty());
}

TEST(TagColouringBadInput, EachRowIsReadOnce) {
    int reads = 0;
    const auto row = [&](int) {
        ++reads;
        return QStringLiteral("<a href=1 name=2><br><!-- -->\r\n");
    };
    EXPECT_EQ(ColourTags(0, 9, row, L({"A HREF NAME", "BR"}), L({"<!--*-->"}), kColours).size(), 50u);
    EXPECT_EQ(reads, 10);
}

TEST(TagColouringBadInput, StrayAndNestedBracketsNeverFormATagOfTheList) {
    const QStringList html = L({"A HREF", "BR"});
    EXPECT_TRUE(Row("<<<", html).empty());
    EXPECT_TRUE(Row(">>><", html).empty());
    EXPECT_TRUE(Row("<<<a>", html).empty());
    EXPECT_TRUE(Row("<<br>>", html).empty());
    // After "<" ... ">" the search goes on from the ">".
    EXPECT_EQ(Row("<x<br>>", html), Runs{});
    EXPECT_EQ(Row("<>", html), Runs{});
    EXPECT_EQ(Row("><br>", html), (Runs{Tag(1, 4)}));
}

TEST(TagColouringBadInput, OddEntriesHaveDefinedResults) {
    // A trailing space adds an empty attribute name: it finds only a lone
    // "=" (painted again here, at byte 7).
    EXPECT_EQ(Row("<a href=x>", L({"A HREF "})), (Runs{Tag(0, 10), Attr(3, 5), Attr(7, 1)}));
    // A doubled space, likewise.
    EXPECT_EQ(Row("<a href=x>", L({"A  HREF"})), (Runs{Tag(0, 10), Attr(7, 1), Attr(3, 5)}));
    // An empty name (an empty entry, or one starting with a space) is the
    // name of the empty tag only.
    EXPECT_EQ(Row("<> < > <a>", L({"", " X"})), (Runs{Tag(0, 2), Tag(0, 2), Tag(3, 3), Tag(3, 3)}));
    // Pattern characters in a name are matched literally by the name test
    // and as a pattern by the wildcard test; an unclosed "[" matches nothing.
    EXPECT_EQ(Row("<a#>", L({"A#"})), Runs{});
    EXPECT_EQ(Row("<a1>", L({"A#"})), Runs{});
    EXPECT_EQ(Row("<a?>", L({"A?"})), (Runs{Tag(0, 4)}));
    EXPECT_EQ(Row("<[a>", L({"[A"})), Runs{});
    EXPECT_EQ(Row("<[a>", {}, L({"<[A>", "<[[]A>"})), (Runs{Comment(0, 4)}));
}

TEST(TagColouringBadInput, HugeRowsEndWithTheRightRuns) {
    const QStringList html = L({"A HREF"});
    const QStringList comments = L({"<!--*-->"});
    // Brackets that never close, and one bracket pair around the whole row.
    EXPECT_TRUE(Rows({QString(200000, QChar(u'<'))}, html, comments).empty());
    EXPECT_TRUE(Rows({QString(200000, QChar(u'<')) + QStringLiteral("a>")}, html, comments).empty());
    QString manyOpen;
    for (int i = 0; i < 30000; ++i) manyOpen += QStringLiteral("<a ");
    EXPECT_TRUE(Rows({manyOpen}, html, comments).empty());
    // One tag holding 20,000 HREFs: the search start at least doubles each
    // round, so only a few of them are painted.
    QString huge = QStringLiteral("<a");
    for (int i = 0; i < 20000; ++i) huge += QStringLiteral(" href=x");
    huge += QLatin1Char('>');
    const Runs runs = Rows({huge}, html, comments);
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[0], Tag(0, static_cast<int>(huge.size())));
    EXPECT_EQ(runs[1], Attr(3, 5));
    EXPECT_EQ(runs[2], Attr(10, 5));
    EXPECT_LT(runs.size(), 40u);
    // A long comment.
    const QString comment = QStringLiteral("<!--") + QString(100000, QChar(u'-')) + QStringLiteral("-->");
    EXPECT_EQ(Rows({comment}, html, comments), (Runs{Comment(0, static_cast<int>(comment.size()))}));
}

// ---- With a real control --------------------------------------------------

// How many pixels of an area show a text colour: the colour itself, or at
// least half of it blended with the white background (the glyphs are
// antialiased).
int PixelsOf(const QImage& image, std::uint32_t colour, const QRect& area) {
    const int want[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                         static_cast<int>((colour >> 16) & 0xFF)};
    // The channel furthest from white tells how much of the colour a pixel has.
    int k = 0;
    for (int j = 1; j < 3; ++j)
        if (want[j] < want[k]) k = j;
    int count = 0;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int got[3] = {qRed(p), qGreen(p), qBlue(p)};
            const double a = (255.0 - got[k]) / (255.0 - want[k]);
            if (a < 0.5 || a > 1.05) continue;
            bool blend = true;
            for (int j = 0; j < 3; ++j) blend = blend && std::abs(got[j] - (want[j] * a + 255.0 * (1 - a))) < 24;
            if (blend) ++count;
        }
    }
    return count;
}
int PixelsOf(const QImage& image, std::uint32_t colour) { return PixelsOf(image, colour, image.rect()); }

class TagColouringControlTest : public test::ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        form_ = std::make_unique<QWidget>();
        form_->resize(500, 200);
        QString error;
        host_ = ControlHost::Create(form_.get(), std::string(), &error);
        ASSERT_TRUE(host_) << error.toStdString();
        host_->Window()->setGeometry(0, 0, 500, 200);
        settings_.HTMLTagList = L({"A HREF", "/A"});
        settings_.CommentTagList = L({"<!--*-->"});
        settings_.HTMLTagColor = RGB(220, 0, 0);
        settings_.HTMLTagColor2 = RGB(0, 150, 0);
        settings_.CommentTagColor = RGB(200, 0, 200);
    }
    void TearDown() override {
        host_.reset();  // before the form, which holds its window
        form_.reset();
    }
    void Show() {
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    QImage Grab() {
        QCoreApplication::processEvents();
        return host_->Window()->grab().toImage();
    }
    std::unique_ptr<QWidget> form_;
    std::unique_ptr<ControlHost> host_;
    AppSettings settings_;
};

TEST_F(TagColouringControlTest, ThePaintedPageShowsTheTagsInTheirColoursAtTheirColumns) {
    int events = 0;
    QStringList errors;
    QObject::connect(host_.get(), &ControlHost::userClientDraw, [&](int l1, int l2, int dx1, int dy1, int dx2, int dy2) {
        ++events;
        ApplyTagColouring(*host_, settings_, l1, l2, dx1, dy1, dx2, dy2);
        if (!host_->LastError().isEmpty()) errors << host_->LastError();
    });
    // Bytes of row 0: the opening tag 0..15 with href= at 3..7, the text
    // 16..21, the closing tag 22..25. Row 1: the comment, 0..12.
    ASSERT_TRUE(host_->SetText(QStringLiteral("<a href=\"x.htm\">日本語</a>\r\n<!-- note -->\r\n<p>plain</p>")));
    Show();
    // Where the byte columns are on the window, from the caret.
    std::map<int, int> px;
    for (const int column : {0, 3, 8, 16, 22, 26}) {
        host_->Function<bool>(tarnedit::dispid::CurSet, column, 0, 0);
        ASSERT_TRUE(host_->LastError().isEmpty()) << host_->LastError().toStdString();
        px[column] = host_->Get<int>(tarnedit::dispid::CaretX);
    }
    const int top0 = host_->Get<int>(tarnedit::dispid::CaretY);
    host_->Function<bool>(tarnedit::dispid::CurSet, 13, 1, 0);
    const int right1 = host_->Get<int>(tarnedit::dispid::CaretX);
    const int top1 = host_->Get<int>(tarnedit::dispid::CaretY);
    host_->Function<bool>(tarnedit::dispid::CurSet, 0, 2, 0);  // the caret away from the tags
    events = 0;
    ASSERT_TRUE(host_->RefreshLine());
    EXPECT_GT(events, 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();

    const QImage image = Grab();
#ifdef QUENBY_SCREENSHOT_DIR
    QDir().mkpath(QStringLiteral(QUENBY_SCREENSHOT_DIR));
    image.save(QStringLiteral(QUENBY_SCREENSHOT_DIR "/tag_colouring.png"));
#endif
    const int h = host_->Get<int>(tarnedit::dispid::Fontheight);
    ASSERT_GT(h, 0);
    const QRect row0(0, top0, image.width(), h);
    const auto in = [&](int from, int to, int top) { return QRect(px[from], top, px[to] - px[from], h); };
    const std::uint32_t tag = settings_.HTMLTagColor, attr = settings_.HTMLTagColor2;
    // The opening tag around its attribute, and the closing tag.
    EXPECT_GT(PixelsOf(image, tag, in(0, 3, top0)), 0);
    EXPECT_GT(PixelsOf(image, attr, in(3, 8, top0)), 0);
    EXPECT_GT(PixelsOf(image, tag, in(8, 16, top0)), 0);
    EXPECT_GT(PixelsOf(image, tag, in(22, 26, top0)), 0);
    // The attribute paints over the tag, and the text between the tags
    // keeps the text colour.
    EXPECT_EQ(PixelsOf(image, tag, in(3, 8, top0)), 0);
    EXPECT_EQ(PixelsOf(image, tag, in(16, 22, top0)), 0);
    EXPECT_EQ(PixelsOf(image, attr, row0), PixelsOf(image, attr, in(3, 8, top0)));
    // The comment on row 1, nothing coloured on row 2.
    EXPECT_GT(PixelsOf(image, settings_.CommentTagColor, QRect(px[0], top1, right1 - px[0], h)), 0);
    const QRect below(0, top1 + h, image.width(), image.height() - top1 - h);
    for (const std::uint32_t c : {tag, attr, settings_.CommentTagColor}) EXPECT_EQ(PixelsOf(image, c, below), 0);
}

TEST_F(TagColouringControlTest, WithEmptyListsNothingIsColoured) {
    ASSERT_TRUE(host_->SetText(QStringLiteral("<a href=\"x.htm\">link</a>\r\n<!-- note -->")));
    Show();
    settings_.HTMLTagList.clear();
    settings_.CommentTagList.clear();
    QObject::connect(host_.get(), &ControlHost::userClientDraw, [&](int l1, int l2, int dx1, int dy1, int dx2, int dy2) {
        ApplyTagColouring(*host_, settings_, l1, l2, dx1, dy1, dx2, dy2);
    });
    ASSERT_TRUE(host_->RefreshLine());
    const QImage image = Grab();
    EXPECT_EQ(PixelsOf(image, settings_.HTMLTagColor), 0);
    EXPECT_EQ(PixelsOf(image, settings_.HTMLTagColor2), 0);
    EXPECT_EQ(PixelsOf(image, settings_.CommentTagColor), 0);
}

TEST_F(TagColouringControlTest, ARangeBeyondTheTextIsCutToItsRows) {
    ASSERT_TRUE(host_->SetText(QStringLiteral("<a href=x>\r\n<!-- note -->")));
    Show();
    ASSERT_TRUE(host_->RefreshLine());
    Grab();  // whatever was still to be painted
    // Called directly, after the painting: the runs go on top of the
    // painted rows, and a range past the text is cut to it.
    ApplyTagColouring(*host_, settings_, -5, 1000, -1, -1, -1, -1);
    EXPECT_TRUE(host_->LastError().isEmpty()) << host_->LastError().toStdString();
    const QImage image = Grab();
    EXPECT_GT(PixelsOf(image, settings_.HTMLTagColor), 0);
    EXPECT_GT(PixelsOf(image, settings_.CommentTagColor), 0);
    // A reversed range and the widest one end at once.
    ApplyTagColouring(*host_, settings_, 5, 2, -1, -1, -1, -1);
    ApplyTagColouring(*host_, settings_, INT_MIN, INT_MAX, -1, -1, -1, -1);
    EXPECT_TRUE(host_->LastError().isEmpty()) << host_->LastError().toStdString();
}

}  // namespace
}  // namespace quenby::shell
