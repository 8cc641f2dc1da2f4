#include "host/common/pattern.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <ostream>
#include <string>

namespace {

using quenby::LikeMatch;

struct LikeCase {
    const char* name;
    std::u16string text;
    std::u16string pattern;
    bool matches;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const LikeCase& c, std::ostream* os) { *os << c.name; }

class LikeMatchCases : public testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatchCases, Matches) {
    const LikeCase& c = GetParam();
    EXPECT_EQ(LikeMatch(c.text, c.pattern), c.matches);
}

std::string CaseName(const testing::TestParamInfo<LikeCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Operators, LikeMatchCases,
    testing::Values(LikeCase{"EmptyMatchesEmpty", u"", u"", true},
                    LikeCase{"EmptyPatternNeedsEmptyText", u"a", u"", false},
                    LikeCase{"LiteralWhole", u"<BR>", u"<BR>", true},
                    LikeCase{"LiteralIsNotAPrefixMatch", u"<BR>x", u"<BR>", false},
                    LikeCase{"StarMatchesNothing", u"", u"*", true},
                    LikeCase{"StarMatchesAnything", u"日本語<>", u"*", true},
                    LikeCase{"StarInTheMiddle", u"abc", u"a*c", true},
                    LikeCase{"StarTakingNothing", u"ac", u"a*c", true},
                    LikeCase{"StarWithWrongEnd", u"abd", u"a*c", false},
                    LikeCase{"StarsInARow", u"abc", u"a***c", true},
                    LikeCase{"StarMustRetry", u"abcbc", u"a*bc", true},
                    LikeCase{"TwoStarsRetry", u"mississippi", u"m*iss*ppi", true},
                    LikeCase{"TwoStarsFail", u"mississippi", u"m*iss*x", false},
                    LikeCase{"QuestionTakesOne", u"a", u"?", true},
                    LikeCase{"QuestionNeedsOne", u"", u"?", false},
                    LikeCase{"QuestionTakesOnlyOne", u"ab", u"?", false},
                    LikeCase{"QuestionTakesDoubleByte", u"日", u"?", true},
                    LikeCase{"StarsAndQuestions", u"ab", u"*?*?*", true},
                    LikeCase{"StarsAndTooManyQuestions", u"a", u"*?*?*", false},
                    LikeCase{"HashTakesDigit", u"h1", u"h#", true},
                    LikeCase{"HashRefusesLetter", u"hx", u"h#", false},
                    LikeCase{"HashRefusesFullWidthDigit", u"１", u"#", false},
                    LikeCase{"HashesAfterStar", u"<H12>", u"<*##>", true},
                    LikeCase{"ListMember", u"b", u"[abc]", true},
                    LikeCase{"ListNonMember", u"d", u"[abc]", false},
                    LikeCase{"Range", u"m", u"[a-z]", true},
                    LikeCase{"RangeBounds", u"az", u"[a-z][a-z]", true},
                    LikeCase{"OutsideRange", u"M", u"[a-z]", false},
                    LikeCase{"TwoRanges", u"y", u"[a-cx-z]", true},
                    LikeCase{"BetweenTwoRanges", u"m", u"[a-cx-z]", false},
                    LikeCase{"JapaneseRange", u"か", u"[あ-ん]", true},
                    LikeCase{"NegatedListRefuses", u"a", u"[!abc]", false},
                    LikeCase{"NegatedListAccepts", u"d", u"[!abc]", true},
                    LikeCase{"NegatedRange", u"5", u"[!a-z]", true},
                    LikeCase{"NegatedListStillTakesOne", u"", u"[!a]", false},
                    LikeCase{"DashLastIsLiteral", u"-", u"[a-]", true},
                    LikeCase{"DashFirstIsLiteral", u"-", u"[-a]", true},
                    LikeCase{"DashLastIsNotARange", u"b", u"[a-]", false},
                    LikeCase{"DashAfterNegationIsLiteral", u"-", u"[!-a]", false},
                    LikeCase{"BangNotFirstIsLiteral", u"!", u"[a!]", true},
                    LikeCase{"StarInListIsLiteral", u"*", u"[*]", true},
                    LikeCase{"StarInListIsNotAWildcard", u"x", u"[*]", false},
                    LikeCase{"QuestionInListIsLiteral", u"?", u"[?]", true},
                    LikeCase{"HashInListIsLiteral", u"#", u"[#]", true},
                    LikeCase{"OpenBracketInList", u"[", u"[[]", true},
                    LikeCase{"CloseBracketOutsideIsLiteral", u"a]", u"a]", true},
                    LikeCase{"ACharacterIsOneCodeUnit", u"\U0001F600", u"??", true}),
    CaseName);

// The tag colouring matches upper-cased tags against "<*" + name + "*>" and
// against the comment patterns.
INSTANTIATE_TEST_SUITE_P(
    Tags, LikeMatchCases,
    testing::Values(LikeCase{"CommentPattern", u"<!-- ここから本文 -->", u"<!--*-->", true},
                    LikeCase{"EmptyComment", u"<!---->", u"<!--*-->", true},
                    LikeCase{"BrokenCommentEnd", u"<!-- X ->", u"<!--*-->", false},
                    LikeCase{"CommentPatternAgainstATag", u"<A HREF=X>", u"<!--*-->", false},
                    LikeCase{"TagWithAttributes", u"<A HREF=X.HTM>", u"<*A*>", true},
                    LikeCase{"ClosingTagAlsoMatches", u"</A>", u"<*A*>", true},
                    LikeCase{"NameAnywhereMatches", u"<TABLE>", u"<*A*>", true},
                    LikeCase{"TagWithoutTheName", u"<BR>", u"<*A*>", false},
                    LikeCase{"UnclosedTag", u"<A HREF", u"<*A*>", false},
                    LikeCase{"Doctype", u"<!DOCTYPE HTML>", u"<!*>", true},
                    LikeCase{"ServerScript", u"<% X = 1 %>", u"<%*%>", true},
                    LikeCase{"CaseSensitive", u"<a href=x>", u"<*A*>", false},
                    LikeCase{"CaseSensitiveLiteral", u"a", u"A", false},
                    LikeCase{"CaseSensitiveRange", u"a", u"[A-Z]", false}),
    CaseName);

// Fixed results for patterns the classic matcher would reject.
INSTANTIATE_TEST_SUITE_P(
    Malformed, LikeMatchCases,
    testing::Values(LikeCase{"UnclosedBracketAlone", u"[", u"[", false},
                    LikeCase{"UnclosedList", u"a", u"[a", false},
                    LikeCase{"UnclosedNegatedList", u"b", u"[!a", false},
                    LikeCase{"UnclosedAfterStar", u"anything", u"*[", false},
                    LikeCase{"UnclosedOnEmptyText", u"", u"*[", false},
                    LikeCase{"UnclosedAfterAGoodList", u"ab", u"[a]b[", false},
                    LikeCase{"EmptyListTakesNoCharacter", u"a", u"[]", false},
                    LikeCase{"EmptyListOnEmptyText", u"", u"[]", false},
                    LikeCase{"EmptyListAfterStar", u"abc", u"*[]", false},
                    LikeCase{"CloseAfterEmptyListIsLiteral", u"x]", u"[]]", false},
                    LikeCase{"EmptyNegatedListTakesAny", u"a", u"[!]", true},
                    LikeCase{"EmptyNegatedListNeedsOne", u"", u"[!]", false},
                    LikeCase{"ReversedRangeHoldsNothing", u"m", u"[z-a]", false},
                    LikeCase{"ReversedRangeBound", u"z", u"[z-a]", false},
                    LikeCase{"ReversedRangeNegated", u"m", u"[!z-a]", true},
                    LikeCase{"RestOfListAfterReversedRange", u"b", u"[z-ab]", true},
                    LikeCase{"ListEndingInBang", u"!", u"[!!]", false},
                    LikeCase{"OnlyDash", u"-", u"[-]", true},
                    LikeCase{"NegatedDash", u"-", u"[!-]", false}),
    CaseName);

// Backtracking over every star would take exponential time here.
TEST(LikeMatchPathological, ManyStarsAgainstALongRunFinish) {
    const std::u16string text(100000, u'a');
    EXPECT_FALSE(LikeMatch(text, u"*a*a*a*a*a*b"));
    EXPECT_TRUE(LikeMatch(text + u"b", u"*a*a*a*a*a*b"));
    EXPECT_FALSE(LikeMatch(text, u"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*[!a]"));
    EXPECT_TRUE(LikeMatch(text, u"a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a"));
}

// A plain recursive matcher, exponential but obviously right on short
// input, against which the single-backtrack matcher is compared.
bool Reference(std::u16string_view t, std::u16string_view p) {
    if (p.empty()) return t.empty();
    if (p[0] == u'*') return Reference(t, p.substr(1)) || (!t.empty() && Reference(t.substr(1), p));
    if (t.empty()) return false;
    std::size_t used = 1;
    bool ok;
    if (p[0] == u'?') {
        ok = true;
    } else if (p[0] == u'#') {
        ok = t[0] >= u'0' && t[0] <= u'9';
    } else if (p[0] == u'[') {
        const std::size_t close = p.find(u']');
        const bool negate = p[1] == u'!';
        const std::u16string_view list = p.substr(negate ? 2 : 1, close - (negate ? 2 : 1));
        bool in = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i + 2 < list.size() && list[i + 1] == u'-') {
                in = in || (list[i] <= t[0] && t[0] <= list[i + 2]);
                i += 2;
            } else {
                in = in || list[i] == t[0];
            }
        }
        ok = in != negate;
        used = close + 1;
    } else {
        ok = p[0] == t[0];
    }
    return ok && Reference(t.substr(1), p.substr(used));
}

TEST(LikeMatchPathological, AgreesWithARecursiveMatcherOnRandomInput) {
    std::mt19937 random(7);
    const std::u16string items[] = {u"*", u"*", u"?", u"#", u"a", u"b", u"[ab]", u"[!a]", u"[0-9]", u"[b-]"};
    const std::u16string letters = u"ab1-";
    for (int round = 0; round < 20000; ++round) {
        std::u16string pattern;
        for (int k = static_cast<int>(random() % 7); k > 0; --k) pattern += items[random() % std::size(items)];
        std::u16string text;
        for (int k = static_cast<int>(random() % 9); k > 0; --k) text += letters[random() % letters.size()];
        ASSERT_EQ(LikeMatch(text, pattern), Reference(text, pattern))
            << std::string(text.begin(), text.end()) << " / " << std::string(pattern.begin(), pattern.end());
    }
}

}  // namespace
