#include "host/common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "platform/codepage/codepage.h"
#include "tests/platform/temp_dir.h"

namespace {

namespace cp = platform::codepage;
using quenby::DecodeCodePage;
using quenby::ReadStatus;
using quenby::ReadTextFile;
using quenby::ReadTextFileChecked;

std::string Bytes(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

class ReadTextFileTest : public testing::Test {
protected:
    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        const auto p = dir_.path() / name;
        testing_fs::WriteAll(p, bytes);
        return p;
    }
    testing_fs::TempDir dir_;
};

// ---- UTF-8 pages ------------------------------------------------------------

TEST_F(ReadTextFileTest, Utf8PageIsDecodedAndItsFirstCharsetOfEachSpellingRewritten) {
    const std::string page = U8(u8"<META content=\"text/html; charset=UTF-8\">\r\n"
                                u8"<TITLE>タイトル</TITLE>\r\n"
                                u8"charset=utf-8 charset=UTF-8 charset=utf-8 charset=Utf-8\r\n");
    const auto p = Write("page.htm", page);
    const auto f = ReadTextFileChecked(p);
    EXPECT_EQ(f.status, ReadStatus::Ok);
    EXPECT_TRUE(f.utf8);
    EXPECT_EQ(f.lost, 0u);
    const std::u16string expected = u"<META content=\"text/html; charset=S-JIS\">\r\n"
                                    u"<TITLE>タイトル</TITLE>\r\n"
                                    u"charset=S-JIS charset=UTF-8 charset=utf-8 charset=Utf-8\r\n";
    EXPECT_EQ(f.text, expected);
    EXPECT_EQ(ReadTextFile(p), expected);
}

TEST_F(ReadTextFileTest, LowerCaseCharsetAloneIsRewrittenOnce) {
    const auto p = Write("lower.htm", U8(u8"charset=utf-8 あい charset=utf-8"));
    EXPECT_EQ(ReadTextFile(p), u"charset=S-JIS あい charset=utf-8");
}

TEST_F(ReadTextFileTest, CharsetRewritingIsExactAndReachesTheEdgesOfTheFile) {
    // Lower case first, other spellings left alone, the last one ending the file.
    const auto p = Write("edges.htm", U8(u8"charset=utf-8 あい CHARSET=UTF-8 charset =UTF-8 charset=UTF8 charset=UTF-8"));
    EXPECT_EQ(ReadTextFile(p), u"charset=S-JIS あい CHARSET=UTF-8 charset =UTF-8 charset=UTF8 charset=S-JIS");
    const auto q = Write("short.htm", U8(u8"あい=charset=UTF-"));
    EXPECT_EQ(ReadTextFile(q), u"あい=charset=UTF-");
    // At every offset against the blocks of four units the text is scanned in.
    for (std::size_t pad = 0; pad < 10; ++pad) {
        const std::string page = U8(u8"あい") + std::string(pad, '=') + "charset=utf-8=charset=UTF-8==";
        const std::u16string expected = u"あい" + std::u16string(pad, u'=') + u"charset=S-JIS=charset=S-JIS==";
        EXPECT_EQ(ReadTextFile(Write("pad.htm", page)), expected) << pad;
    }
}

TEST_F(ReadTextFileTest, Utf8PageWithoutCharsetIsOnlyDecoded) {
    const auto p = Write("plain.htm", U8(u8"本文\r\n"));
    EXPECT_EQ(ReadTextFile(p), u"本文\r\n");
}

// Only the first 1024 bytes decide; the rest of the file is not looked at.
TEST_F(ReadTextFileTest, Utf8PageWhoseOnlyNonAsciiLiesAfterTheWindowIsShiftJis) {
    const std::string page = "charset=UTF-8 " + std::string(1100, 'x') + U8(u8"あ");
    const auto p = Write("late.htm", page);
    const auto f = ReadTextFileChecked(p);
    EXPECT_EQ(f.status, ReadStatus::Ok);
    EXPECT_FALSE(f.utf8);
    EXPECT_EQ(f.text, cp::Decode(page).text);
    EXPECT_EQ(f.text.substr(0, 14), u"charset=UTF-8 ");
    EXPECT_EQ(cp::ToBytes(f.text), page);  // nothing lost either way
}

TEST_F(ReadTextFileTest, OneNonAsciiInsideTheWindowIsNotEnough) {
    const std::string page = U8(u8"あ") + std::string(1100, 'x') + U8(u8"いうえお");
    const auto f = ReadTextFileChecked(Write("one.htm", page));
    EXPECT_FALSE(f.utf8);
    EXPECT_EQ(f.text, cp::Decode(page).text);
}

TEST_F(ReadTextFileTest, SecondSequenceCutByTheWindowIsNotCounted) {
    // The second character's bytes are 1022..1024: the window ends inside it.
    const std::string page = U8(u8"あ") + std::string(1019, 'x') + U8(u8"い") + U8(u8"う");
    ASSERT_EQ(page.find(U8(u8"い")), 1022u);
    EXPECT_FALSE(ReadTextFileChecked(Write("cut.htm", page)).utf8);
    const std::string inside = U8(u8"あ") + std::string(1018, 'x') + U8(u8"い");
    EXPECT_TRUE(ReadTextFileChecked(Write("inside.htm", inside)).utf8);
}

TEST_F(ReadTextFileTest, LostCountsReplacementsAndCharactersShiftJisCannotHold) {
    // Two Hangul syllables (not in the code page), one emoji (four bytes,
    // four replacements), a circled digit that the code page does hold.
    const std::string page = U8(u8"あい 한국 ") + Bytes({0xF0, 0x9F, 0x98, 0x80}) + U8(u8" ①");
    const auto f = ReadTextFileChecked(Write("lost.htm", page));
    ASSERT_TRUE(f.utf8);
    EXPECT_EQ(f.text, u"あい 한국 ???? ①");
    EXPECT_EQ(f.lost, 6u);
}

TEST_F(ReadTextFileTest, LostCountsASurrogatePairOnceAndLoneSurrogates) {
    // A character outside the BMP spelt as two three-byte surrogates, then a
    // lone high and a lone low surrogate.
    const std::string page = U8(u8"あい") + Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}) +
                             Bytes({0xED, 0xA0, 0x80, 'x', 0xED, 0xB2, 0x80});
    const auto f = ReadTextFileChecked(Write("cesu.htm", page));
    ASSERT_TRUE(f.utf8);
    EXPECT_EQ(f.text, u"あい\U0001F600\xD800x\xDC80");
    EXPECT_EQ(f.lost, 3u);
}

TEST_F(ReadTextFileTest, LostAgreesWithTheCodePage) {
    std::u16string sample;
    for (char16_t c = 0x80; c < 0xD800; c += 37) sample += c;
    for (char16_t c = 0xE000; c > 0xDFFF && c < 0xFFFF; c += 41) sample += c;
    std::string page = U8(u8"あい");
    for (char16_t c : sample) {
        if (c < 0x800) {
            page += static_cast<char>(0xC0 | (c >> 6));
        } else {
            page += static_cast<char>(0xE0 | (c >> 12));
            page += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        page += static_cast<char>(0x80 | (c & 0x3F));
    }
    page += Bytes({0x80, 0xC0, 0xAF});
    const auto f = ReadTextFileChecked(Write("sample.htm", page));
    ASSERT_TRUE(f.utf8);
    EXPECT_EQ(f.text, u"あい" + sample + u"???");
    EXPECT_EQ(f.lost, 3 + cp::Encode(f.text).defaulted);
}

// ---- Shift_JIS files --------------------------------------------------------

TEST_F(ReadTextFileTest, ShiftJisPageIsDecodedWithLineBreaksKept) {
    const std::string page = cp::ToBytes(u"<TITLE>タイトル</TITLE>\r\nｱｲｳ 漢字\r\n");
    const auto f = ReadTextFileChecked(Write("sjis.htm", page));
    EXPECT_EQ(f.status, ReadStatus::Ok);
    EXPECT_FALSE(f.utf8);
    EXPECT_EQ(f.lost, 0u);
    EXPECT_EQ(f.text, u"<TITLE>タイトル</TITLE>\r\nｱｲｳ 漢字\r\n");
}

TEST_F(ReadTextFileTest, InvalidShiftJisBytesSurviveTheRoundTrip) {
    const std::string page = Bytes({'a', 0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x81, 0x20, 'z', 0x82, 0xA0, 0x81, 0x7F, 0x82});
    const auto f = ReadTextFileChecked(Write("bad.htm", page));
    EXPECT_EQ(f.status, ReadStatus::Ok);
    EXPECT_FALSE(f.utf8);
    EXPECT_EQ(f.lost, 0u);
    EXPECT_EQ(cp::ToBytes(f.text), page);
}

TEST_F(ReadTextFileTest, LargeFileIsReadWhole) {
    std::string page;
    const std::string line = cp::ToBytes(u"<P>日本語のテキスト and ASCII text</P>\r\n");
    while (page.size() < 3 * 1024 * 1024 + 17) page += line;
    page += '\x81';  // a lead byte cut by the end of the file
    const auto f = ReadTextFileChecked(Write("large.htm", page));
    EXPECT_EQ(f.status, ReadStatus::Ok);
    EXPECT_EQ(cp::ToBytes(f.text), page);
}

// ---- files that give no text ------------------------------------------------

TEST_F(ReadTextFileTest, EmptyFileGivesEmptyText) {
    const auto p = Write("empty.htm", "");
    const auto f = ReadTextFileChecked(p);
    EXPECT_EQ(f.status, ReadStatus::Empty);
    EXPECT_TRUE(f.text.empty());
    EXPECT_EQ(ReadTextFile(p), u"");
}

TEST_F(ReadTextFileTest, MissingPathsGiveMissing) {
    EXPECT_EQ(ReadTextFileChecked(dir_.path() / "none.htm").status, ReadStatus::Missing);
    EXPECT_EQ(ReadTextFileChecked("").status, ReadStatus::Missing);
    const auto file = Write("file.htm", "x");
    EXPECT_EQ(ReadTextFileChecked(file / "below.htm").status, ReadStatus::Missing);
    EXPECT_EQ(ReadTextFile(dir_.path() / "none.htm"), u"");
    EXPECT_EQ(ReadTextFile(""), u"");
}

TEST_F(ReadTextFileTest, FolderIsUnreadableWithTheSystemsReason) {
    const auto f = ReadTextFileChecked(dir_.path());
    EXPECT_EQ(f.status, ReadStatus::Unreadable);
    EXPECT_EQ(f.error, std::strerror(EISDIR));
    EXPECT_EQ(ReadTextFile(dir_.path()), u"");
}

TEST_F(ReadTextFileTest, FileWithoutReadPermissionIsUnreadable) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const auto p = Write("secret.htm", "text");
    std::filesystem::permissions(p, std::filesystem::perms::none);
    const auto f = ReadTextFileChecked(p);
    EXPECT_EQ(f.status, ReadStatus::Unreadable);
    EXPECT_EQ(f.error, std::strerror(EACCES));
    EXPECT_EQ(ReadTextFile(p), u"");
}

// A named pipe with no writer would block a plain open-and-read for ever.
TEST_F(ReadTextFileTest, NamedPipeIsRefusedWithoutWaiting) {
    const auto p = dir_.path() / "pipe";
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
    const auto f = ReadTextFileChecked(p);
    EXPECT_EQ(f.status, ReadStatus::Unreadable);
    EXPECT_FALSE(f.error.empty());
}

// Files of the kernel report a size of 0 but have content.
TEST_F(ReadTextFileTest, FileReportingNoSizeIsStillReadToItsEnd) {
    const std::filesystem::path status = "/proc/self/status";
    if (!std::filesystem::exists(status)) GTEST_SKIP() << "no /proc";
    const auto f = ReadTextFileChecked(status);
    EXPECT_EQ(f.status, ReadStatus::Ok);
    EXPECT_EQ(f.text.substr(0, 5), u"Name:");
    EXPECT_NE(f.text.find(u"Pid:"), std::u16string::npos);
}

// ---- the code page table ----------------------------------------------------

TEST(DecodeCodePage, EveryPairOfBytesDecodesAsTheConverterDoes) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string s = Bytes({a, b});
            ASSERT_EQ(DecodeCodePage(s), cp::Decode(s).text) << std::hex << a << ' ' << b;
        }
    }
}

TEST(DecodeCodePage, RandomTextDecodesAsTheConverterDoes) {
    // Biased towards the awkward bytes: lead bytes, trail bytes in the ASCII
    // range, undecodable bytes, and ASCII stretches long enough for the
    // block path.
    std::mt19937 random(20240601);
    const std::string pool = Bytes({0x81, 0x82, 0x9F, 0xE0, 0xEA, 0xF0, 0xFC, 0x40, 0x5C, 0x7E, 0x7F, 0xA0,
                                    0xA1, 0xDF, 0x80, 0xFD, 0xFF, 0x00, '\r', '\n', 'a', 'Z', 0xA0, 0xFC});
    for (int round = 0; round < 3000; ++round) {
        std::string s;
        const int len = static_cast<int>(random() % 80);
        for (int i = 0; i < len; ++i) {
            if (random() % 6 == 0) s += std::string(random() % 20, 'q');
            else s += pool[random() % pool.size()];
        }
        ASSERT_EQ(DecodeCodePage(s), cp::Decode(s).text) << round;
    }
}

TEST(DecodeCodePage, EmptyGivesEmpty) { EXPECT_TRUE(DecodeCodePage("").empty()); }

}  // namespace
