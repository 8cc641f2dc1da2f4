#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/profile/ini_text.h"
#include "platform/profile/profile.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
namespace prof = platform::profile;
using testing_fs::ReadAll;
using testing_fs::WriteAll;
using namespace std::string_literals;

constexpr std::string_view kDefault = "<default>";

class ProfileFile : public ::testing::Test {
protected:
    std::string Get(std::string_view section, std::string_view key, std::string_view def = kDefault) const {
        return prof::GetPrivateProfileString(section, key, def, file);
    }
    bool Set(std::string_view section, std::string_view key, std::optional<std::string_view> value) const {
        return prof::WritePrivateProfileStringA(section, key, value, file);
    }
    void Put(const std::string& text) const { WriteAll(file, text); }
    std::string Text() const { return ReadAll(file); }
    // Files beside the profile other than itself and its lock.
    std::vector<std::string> Strays() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(dir.path())) {
            std::string name = e.path().filename().string();
            if (name != file.filename().string() && name != file.filename().string() + ".lock") names.push_back(name);
        }
        return names;
    }

    testing_fs::TempDir dir;
    fs::path file = dir.path() / "Quenby.ini";
};

using ProfileRead = ProfileFile;
using ProfileWrite = ProfileFile;
using ProfileBadFile = ProfileFile;
using ProfileFailedWrite = ProfileFile;
using ProfileSharing = ProfileFile;

// ---------------------------------------------------------------- reading

TEST_F(ProfileRead, SectionAndKeyNamesIgnoreAsciiCase) {
    Put("[Quenby]\r\nShowSplash=False\r\n");
    EXPECT_EQ(Get("QUENBY", "showsplash"), "False");
    EXPECT_EQ(Get("quenby", "SHOWSPLASH"), "False");
    EXPECT_EQ(Get("Quenb", "ShowSplash"), kDefault);
    EXPECT_EQ(Get("Quenby", "ShowSplashX"), kDefault);
}

TEST_F(ProfileRead, DoubleByteCharactersCompareByteForByte) {
    // 0x83 0x41 and 0x83 0x61 are two different katakana whose trail bytes
    // happen to be "A" and "a": folding them would merge the two names.
    Put("[\x83\x41]\r\nk=upper trail\r\n[\x83\x61]\r\nk=lower trail\r\n"
        "[s]\r\n\x83\x41=katakana key\r\n\x82\xA0x=letter after a double-byte character\r\n");
    EXPECT_EQ(Get("\x83\x41", "k"), "upper trail");
    EXPECT_EQ(Get("\x83\x61", "k"), "lower trail");
    EXPECT_EQ(Get("s", "\x83\x41"), "katakana key");
    EXPECT_EQ(Get("s", "\x83\x61"), kDefault);
    EXPECT_EQ(Get("S", "\x82\xA0X"), "letter after a double-byte character");
}

TEST_F(ProfileRead, TheFirstMatchingSectionAndKeyWin) {
    Put("[dup]\r\nk=first\r\nK=second\r\n[DUP]\r\nk=third\r\nonlyLater=x\r\n");
    EXPECT_EQ(Get("dup", "k"), "first");
    // A later section of the same name is never searched.
    EXPECT_EQ(Get("Dup", "onlyLater"), kDefault);
}

TEST_F(ProfileRead, BlanksAroundNamesAndValuesAreTrimmed) {
    Put("  [  Spaced Name  ]  \r\n\t key \t = \t value with  inner  blanks \t\r\n");
    EXPECT_EQ(Get("Spaced Name", "key"), "value with  inner  blanks");
    EXPECT_EQ(Get("  spaced name\t", " KEY "), "value with  inner  blanks");
}

TEST_F(ProfileRead, OnePairOfEnclosingQuotesIsRemoved) {
    Put("[q]\r\n"
        "blanks=  \"  x  \"  \r\n"
        "twice=\"\"x\"\"\r\n"
        "lone=\"\r\n"
        "open=\"abc\r\n"
        "close=abc\"\r\n"
        "empty=\"\"\r\n"
        "inner=a\"b\"c\r\n");
    EXPECT_EQ(Get("q", "blanks"), "  x  ");
    EXPECT_EQ(Get("q", "twice"), "\"x\"");
    EXPECT_EQ(Get("q", "lone"), "\"");
    EXPECT_EQ(Get("q", "open"), "\"abc");
    EXPECT_EQ(Get("q", "close"), "abc\"");
    EXPECT_EQ(Get("q", "empty"), "");
    EXPECT_EQ(Get("q", "inner"), "a\"b\"c");
}

TEST_F(ProfileRead, ALineWithoutEqualsIsNoKeyButKeyEqualsIsAnEmptyValue) {
    Put("[s]\r\nbare\r\nempty=\r\nspaced =   \r\n=nameless\r\n");
    EXPECT_EQ(Get("s", "bare"), kDefault);
    EXPECT_EQ(Get("s", "empty"), "");
    EXPECT_EQ(Get("s", "spaced"), "");
    EXPECT_EQ(Get("s", ""), kDefault);  // no key has an empty name
}

TEST_F(ProfileRead, CommentLinesAreIgnored) {
    Put("[s]\r\n;k=commented\r\n  ;k=indented comment\r\nk=real\r\n;[t]\r\nafter=still in s\r\n");
    EXPECT_EQ(Get("s", "k"), "real");
    EXPECT_EQ(Get("s", ";k"), kDefault);
    EXPECT_EQ(Get("s", "after"), "still in s");
    EXPECT_EQ(Get("t", "after"), kDefault);
}

TEST_F(ProfileRead, ALoneCrOrALoneLfEndsALine) {
    Put("[s]\rk1=one\nk2=two\r\nk3=three\n\r[t]\rx=y");
    EXPECT_EQ(Get("s", "k1"), "one");
    EXPECT_EQ(Get("s", "k2"), "two");
    EXPECT_EQ(Get("s", "k3"), "three");
    EXPECT_EQ(Get("t", "x"), "y");
}

TEST_F(ProfileRead, AMissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Get("s", "k"), kDefault);
    Put("orphan=before any section\r\n[s]\r\nk=v\r\n");
    EXPECT_EQ(Get("", "orphan"), kDefault);
    EXPECT_EQ(Get("s", "missing"), kDefault);
    EXPECT_EQ(Get("missing", "k"), kDefault);
    EXPECT_EQ(Get("s", "k"), "v");
}

TEST_F(ProfileRead, TheDefaultLosesItsTrailingBlanksOnly) {
    EXPECT_EQ(Get("s", "k", "  dflt \t "), "  dflt");
    char buffer[16];
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "k", "ab  ", buffer, sizeof buffer, file), 2u);
    EXPECT_STREQ(buffer, "ab");
}

TEST_F(ProfileRead, AValueLongerThanTheBufferIsCutToSizeMinusOne) {
    Put("[s]\r\nk=abcdef\r\nlong=" + std::string(300, 'x') + "\r\n");
    struct Case {
        std::uint32_t size;
        std::uint32_t count;
        const char* text;
    };
    for (Case c : {Case{1, 0, ""}, Case{2, 1, "a"}, Case{4, 3, "abc"}, Case{6, 5, "abcde"}, Case{7, 6, "abcdef"},
                   Case{100, 6, "abcdef"}}) {
        std::vector<char> buffer(c.size + 4, '#');
        EXPECT_EQ(prof::GetPrivateProfileStringA("s", "k", "", buffer.data(), c.size, file), c.count) << c.size;
        EXPECT_STREQ(buffer.data(), c.text) << c.size;
        EXPECT_EQ(std::string(buffer.begin() + c.size, buffer.end()), "####") << "written past the buffer";
        EXPECT_EQ(prof::GetPrivateProfileString("s", "k", "", file, c.size), c.text);
    }
    // The settings reader's fixed 255-byte buffer keeps 254.
    char settings[255];
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "long", "", settings, sizeof settings, file), 254u);
    EXPECT_EQ(std::string(settings), std::string(254, 'x'));
    // The default is cut the same way.
    char small[3];
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "missing", "default", small, sizeof small, file), 2u);
    EXPECT_STREQ(small, "de");
    // No room at all: nothing is written.
    char untouched = '#';
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "k", "", &untouched, 0, file), 0u);
    EXPECT_EQ(untouched, '#');
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "k", "", nullptr, 10, file), 0u);
}

TEST_F(ProfileRead, ASectionHeaderEndsAtItsFirstClosingBracket) {
    // 0x81 0x5D is one double-byte character whose trail byte is "]".
    Put("[a]junk after the bracket\r\nk=1\r\n[no closing bracket\r\nk2=still in a\r\n[\x81\x5D]\r\nk=2\r\n");
    EXPECT_EQ(Get("a", "k"), "1");
    EXPECT_EQ(Get("a", "k2"), "still in a");
    EXPECT_EQ(Get("no closing bracket", "k2"), kDefault);
    EXPECT_EQ(Get("\x81\x5D", "k"), "2");
    EXPECT_EQ(Get("\x81", "k"), kDefault);
}

TEST_F(ProfileRead, AUtf8MarkBeforeTheFirstHeaderIsSkipped) {
    Put("\xEF\xBB\xBF[Quenby]\r\nShowSplash=False\r\n");
    EXPECT_EQ(Get("Quenby", "ShowSplash"), "False");
}

TEST_F(ProfileRead, ANulByteEndsAValueAsItWouldACString) {
    Put("[s]\r\nk=ab\0cd\r\nnext=1\r\n"s);
    EXPECT_EQ(Get("s", "k"), "ab");
    char buffer[16];
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, file), 2u);
    EXPECT_EQ(Get("s", "next"), "1");
    EXPECT_EQ(Get("s", "missing", "de\0fault"s), "de");
}

// ---------------------------------------------------------------- writing

TEST_F(ProfileWrite, TheFirstWriteCreatesTheFile) {
    ASSERT_FALSE(fs::exists(file));
    ASSERT_TRUE(Set("Quenby", "ShowSplash", "True"));
    EXPECT_EQ(Text(), "[Quenby]\r\nShowSplash=True\r\n");
    ASSERT_TRUE(Set("vUzezozi", "Top", "10"));
    ASSERT_TRUE(Set("Quenby", "FontCount", "42"));
    EXPECT_EQ(Text(), "[Quenby]\r\nShowSplash=True\r\nFontCount=42\r\n[vUzezozi]\r\nTop=10\r\n");
    EXPECT_EQ(Get("quenby", "fontcount"), "42");
    EXPECT_TRUE(Strays().empty());
}

TEST_F(ProfileWrite, ReplacingAValueRewritesOnlyItsLine) {
    const std::string head = "; settings\r\n[Quenby]\n";
    const std::string tail = "\rOther=\0x\r\n\r\n[vUzezozi]\r\nShowSplash=keep\r\n"s;
    Put(head + "  ShowSplash  =  \"old\"  " + tail);
    ASSERT_TRUE(Set("quenby", "SHOWSPLASH", "new"));
    // The file's own spelling of the key, and the line's lone CR, stay.
    EXPECT_EQ(Text(), head + "ShowSplash=new" + tail);
    EXPECT_EQ(Get("vUzezozi", "ShowSplash"), "keep");

    Put("[s]\r\nk=1");
    ASSERT_TRUE(Set("s", "k", "2"));
    EXPECT_EQ(Text(), "[s]\r\nk=2");
}

TEST_F(ProfileWrite, AMissingKeyGoesAfterTheLastKeyOfItsSection) {
    Put("[a]\r\nk1=1\r\nbare line\r\n; comment\r\n\r\n[b]\r\nk=2\r\n");
    ASSERT_TRUE(Set("A", "k2", "x"));
    EXPECT_EQ(Text(), "[a]\r\nk1=1\r\nk2=x\r\nbare line\r\n; comment\r\n\r\n[b]\r\nk=2\r\n");

    Put("[a]\r\n; only a comment\r\n[b]\r\n");
    ASSERT_TRUE(Set("a", "k", "v"));
    EXPECT_EQ(Text(), "[a]\r\nk=v\r\n; only a comment\r\n[b]\r\n");

    Put("[a]\r\nk=1");
    ASSERT_TRUE(Set("a", "k2", "2"));
    EXPECT_EQ(Text(), "[a]\r\nk=1\r\nk2=2\r\n");

    Put("[a]");
    ASSERT_TRUE(Set("a", "k", "1"));
    EXPECT_EQ(Text(), "[a]\r\nk=1\r\n");

    // Only the first section of a name is written to, as only it is read.
    Put("[a]\nk=1\n[A]\nk2=old\n");
    ASSERT_TRUE(Set("a", "k2", "new"));
    EXPECT_EQ(Text(), "[a]\nk=1\nk2=new\r\n[A]\nk2=old\n");
}

TEST_F(ProfileWrite, AMissingSectionIsAppendedWithoutABlankLine) {
    Put("[a]\r\nk=1\r\n");
    ASSERT_TRUE(Set("b", "k", "2"));
    EXPECT_EQ(Text(), "[a]\r\nk=1\r\n[b]\r\nk=2\r\n");

    Put("[a]\r\nk=1");
    ASSERT_TRUE(Set("b", "k", "2"));
    EXPECT_EQ(Text(), "[a]\r\nk=1\r\n[b]\r\nk=2\r\n");

    Put("[a]\rk=1\r");
    ASSERT_TRUE(Set("b", "k", "2"));
    EXPECT_EQ(Text(), "[a]\rk=1\r[b]\r\nk=2\r\n");

    Put("");
    ASSERT_TRUE(Set("b", "k", "2"));
    EXPECT_EQ(Text(), "[b]\r\nk=2\r\n");
}

TEST_F(ProfileWrite, NamesAreTrimmedAndTheStoredSpellingKept) {
    ASSERT_TRUE(Set("  Sec \t", " Key ", "v"));
    EXPECT_EQ(Text(), "[Sec]\r\nKey=v\r\n");
    ASSERT_TRUE(Set("SEC", "KEY", "w"));
    EXPECT_EQ(Text(), "[Sec]\r\nKey=w\r\n");
    // The value goes in as given; reading trims and unquotes it as any other.
    ASSERT_TRUE(Set("Sec", "Key", "  \"quoted\"  "));
    EXPECT_EQ(Text(), "[Sec]\r\nKey=  \"quoted\"  \r\n");
    EXPECT_EQ(Get("Sec", "Key"), "quoted");
}

TEST_F(ProfileWrite, NoValueDeletesTheKeyLine) {
    Put("[a]\r\nk1=1\r\nk2=2\r\n[b]\r\nk2=b\r\n");
    ASSERT_TRUE(Set("a", "K2", std::nullopt));
    EXPECT_EQ(Text(), "[a]\r\nk1=1\r\n[b]\r\nk2=b\r\n");
    EXPECT_EQ(Get("a", "k2"), kDefault);

    Put("[a]\r\nk=1");
    ASSERT_TRUE(Set("a", "k", std::nullopt));
    EXPECT_EQ(Text(), "[a]\r\n");

    // Nothing to delete: success, and nothing changes or appears.
    ASSERT_TRUE(Set("a", "missing", std::nullopt));
    ASSERT_TRUE(Set("missing", "k", std::nullopt));
    EXPECT_EQ(Text(), "[a]\r\n");
    fs::remove(file);
    ASSERT_TRUE(Set("a", "k", std::nullopt));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ProfileWrite, AWriteThatChangesNothingLeavesTheFileAlone) {
    Put("[a]\r\nk=same\r\n");
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    ASSERT_TRUE(Set("a", "k", "same"));
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);  // not replaced
}

TEST_F(ProfileWrite, NamesAndValuesThatCouldNotBeReadBackAreRefused) {
    struct Case {
        std::string section, key, value;
    };
    const Case refused[] = {
        {"a]b", "k", "v"},      {"a=b", "k", "v"},      {"a\rb", "k", "v"}, {"a\nb", "k", "v"},
        {"a\0b"s, "k", "v"},    {"a\x81", "k", "v"},    {"s", "a]b", "v"},  {"s", "a=b", "v"},
        {"s", "a\rb", "v"},     {"s", "a\nb", "v"},     {"s", "a\0b"s, "v"}, {"s", "", "v"},
        {"s", "  ", "v"},       {"s", ";k", "v"},       {"s", " [k", "v"},  {"s", "k", "two\r\nlines"},
        {"s", "k", "lone\rcr"}, {"s", "k", "lone\nlf"}, {"s", "k", "nul\0"s},
    };
    for (const Case& c : refused)
        EXPECT_FALSE(Set(c.section, c.key, c.value)) << testing::PrintToString(c.section) << " "
                                                     << testing::PrintToString(c.key);
    EXPECT_FALSE(fs::exists(file));

    Put("[s]\r\nk=kept\r\n");
    for (const Case& c : refused) {
        EXPECT_FALSE(Set(c.section, c.key, c.value));
        if (c.value == "v") {  // the names alone are wrong
            EXPECT_FALSE(Set(c.section, c.key, std::nullopt));
        }
    }
    EXPECT_EQ(Text(), "[s]\r\nk=kept\r\n");

    // A "]" that is the trail byte of a double-byte character is no bracket.
    ASSERT_TRUE(Set("\x81\x5D", "\x81\x5D", "v"));
    EXPECT_EQ(Get("\x81\x5D", "\x81\x5D"), "v");
}

TEST_F(ProfileWrite, TheFilesModeAndALinkToItAreKept) {
    Put("[a]\r\nk=1\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(Set("a", "k", "2"));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const fs::path link = dir.path() / "link.ini";
    fs::create_symlink(file.filename(), link);
    ASSERT_TRUE(prof::WritePrivateProfileStringA("a", "k", "3", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Text(), "[a]\r\nk=3\r\n");
}

// ---------------------------------------------------------------- bad files

TEST_F(ProfileBadFile, BinaryContentReadsAndKeepsEveryByteOnAWrite) {
    std::mt19937 rng(20240611);
    std::string junk(65536, '\0');
    for (char& c : junk) c = static_cast<char>(rng() & 0xFF);
    Put(junk);
    for (const char* section : {"Quenby", "", "\x81"})
        for (const char* key : {"ShowSplash", "a", "\x81"}) {
            std::string v = Get(section, key);
            EXPECT_EQ(v.find_first_of("\r\n"s + '\0'), std::string::npos);
        }
    ASSERT_TRUE(Set("Quenby", "ShowSplash", "True"));
    const std::string after = Text();
    ASSERT_GE(after.size(), junk.size());
    EXPECT_EQ(after.substr(0, junk.size()), junk);
    EXPECT_EQ(Get("Quenby", "ShowSplash"), "True");
}

TEST_F(ProfileBadFile, NulBytesInsideLinesAreKept) {
    const std::string head = "[s]\r\n";
    const std::string tail = "\r\n\0\0junk\0\r\nz=\0\r\n[\0]\r\nq=1\r\n"s;
    Put(head + "k=1" + tail);
    EXPECT_EQ(Get("\0"s, "q"), "1");
    ASSERT_TRUE(Set("s", "k", "2"));
    EXPECT_EQ(Text(), head + "k=2" + tail);
    // "z=" is the section's last key line, NUL or not.
    ASSERT_TRUE(Set("s", "new", "3"));
    EXPECT_EQ(Text(), "[s]\r\nk=2\r\n\0\0junk\0\r\nz=\0\r\nnew=3\r\n[\0]\r\nq=1\r\n"s);
}

TEST_F(ProfileBadFile, InvalidCp932IsReadAsStored) {
    // A lone lead byte at the end of a value or a key name; bytes that lead
    // nothing (0x80, 0xA0, 0xFD-0xFF); a lead byte that swallows "]".
    Put("[s]\r\nk=ab\x81\r\nx\x81=1\r\n\x80\xA0\xFD\xFE\xFF=2\r\n[a\x81]\r\nafter=still in s\r\n");
    EXPECT_EQ(Get("s", "k"), "ab\x81");
    EXPECT_EQ(Get("s", "x\x81"), "1");
    EXPECT_EQ(Get("s", "\x80\xA0\xFD\xFE\xFF"), "2");
    EXPECT_EQ(Get("s", "after"), "still in s");
    EXPECT_EQ(Get("a\x81", "after"), kDefault);
    ASSERT_TRUE(Set("s", "k", "cd"));
    EXPECT_EQ(Text(), "[s]\r\nk=cd\r\nx\x81=1\r\n\x80\xA0\xFD\xFE\xFF=2\r\n[a\x81]\r\nafter=still in s\r\n");
}

TEST_F(ProfileBadFile, ATenMegabyteFileIsReadAndWrittenWhole) {
    std::string big = "[big]\r\n";
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i) big += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\r\n";
    big += "[last]\r\nk=end\r\n";
    Put(big);
    EXPECT_EQ(Get("big", "key0"), "value0");
    EXPECT_EQ(Get("big", "KEY123456"), "value123456");
    EXPECT_EQ(Get("last", "k"), "end");
    EXPECT_EQ(Get("big", "k"), kDefault);
    ASSERT_TRUE(Set("last", "k2", "x"));
    EXPECT_EQ(Text(), big + "k2=x\r\n");
    ASSERT_TRUE(Set("big", "key5", "changed"));
    std::string expected = big + "k2=x\r\n";
    expected.replace(expected.find("key5=value5\r\n"), std::strlen("key5=value5"), "key5=changed");
    EXPECT_EQ(Text(), expected);
}

TEST_F(ProfileBadFile, AHundredKilobyteLineIsOneValue) {
    const std::string value(100 * 1024, 'x');
    Put("[s]\r\nk=" + value + "\r\nnext=1\r\n" + std::string(100 * 1024, 'y'));
    EXPECT_EQ(Get("s", "k"), value);
    char settings[255];
    EXPECT_EQ(prof::GetPrivateProfileStringA("s", "k", "", settings, sizeof settings, file), 254u);
    EXPECT_EQ(Get("s", "next"), "1");
    ASSERT_TRUE(Set("s", "next", "2"));
    EXPECT_EQ(Text(), "[s]\r\nk=" + value + "\r\nnext=2\r\n" + std::string(100 * 1024, 'y'));
}

TEST_F(ProfileBadFile, AFolderPipeOrDeviceInPlaceOfTheFileReadsAsMissing) {
    fs::create_directory(file);
    EXPECT_EQ(Get("s", "k"), kDefault);
    const fs::path fifo = dir.path() / "pipe.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(prof::GetPrivateProfileString("s", "k", kDefault, fifo), kDefault);  // and does not wait for a writer
    EXPECT_FALSE(prof::WritePrivateProfileStringA("s", "k", "v", fifo));
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    EXPECT_EQ(prof::GetPrivateProfileString("s", "k", kDefault, "/dev/zero"), kDefault);
}

// ---------------------------------------------------------------- failed writes

TEST_F(ProfileFailedWrite, APathThatIsAFolderIsLeftAlone) {
    fs::create_directory(file);
    WriteAll(file / "inside", "x");
    EXPECT_FALSE(Set("s", "k", "v"));
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(ReadAll(file / "inside"), "x");
    EXPECT_TRUE(Strays().empty());
}

TEST_F(ProfileFailedWrite, AMissingFolderIsNotCreated) {
    const fs::path deep = dir.path() / "missing" / "Quenby.ini";
    EXPECT_FALSE(prof::WritePrivateProfileStringA("s", "k", "v", deep));
    EXPECT_FALSE(fs::exists(deep.parent_path()));
    EXPECT_FALSE(prof::WritePrivateProfileStringA("s", "k", "v", ""));
}

TEST_F(ProfileFailedWrite, AReadOnlyFolderOrFileIsNotWritten) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the permissions say";
    Put("[s]\r\nk=old\r\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(Set("s", "k", "new"));
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(Text(), "[s]\r\nk=old\r\n");

    fs::permissions(file, fs::perms::owner_read);
    EXPECT_FALSE(Set("s", "k", "new"));
    EXPECT_EQ(Text(), "[s]\r\nk=old\r\n");
    EXPECT_TRUE(Strays().empty());
}

TEST_F(ProfileFailedWrite, RunningOutOfSpaceLeavesTheOldFileWhole) {
    // The child may write no file past 4 KB, so the new file cannot be
    // completed; the old one is larger already and must survive untouched.
    const std::string old = "[s]\r\nk=old\r\npad=" + std::string(8192, 'p') + "\r\n";
    Put(old);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        _exit(Set("s", "k", "new") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reported success";
    EXPECT_EQ(Text(), old);
    EXPECT_TRUE(Strays().empty());
}

// ---------------------------------------------------------------- two programs, one file

TEST_F(ProfileSharing, TwoProcessesWritingTheSameFileLoseNothing) {
    constexpr int kKeys = 200;
    auto writer = [this](char who) {
        int failures = 0;
        for (int i = 0; i < kKeys; ++i) {
            failures += !Set("Shared", who + std::to_string(i), "value" + std::to_string(i));
            failures += !Set("Shared", "last_"s + who, std::to_string(i));
        }
        return failures;
    };
    std::vector<pid_t> children;
    for (char who : {'a', 'b'}) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(std::min(writer(who), 100));
        children.push_back(child);
    }
    // Meanwhile every look at the file sees a whole one, never part of one.
    std::vector<int> statuses(children.size(), -1);
    std::size_t looks = 0, broken = 0;
    for (std::size_t running = children.size(); running > 0;) {
        std::string snapshot = Text();
        ++looks;
        if (!snapshot.empty() && (snapshot.rfind("[Shared]\r\n", 0) != 0 || !snapshot.ends_with("\r\n"))) ++broken;
        running = 0;
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (statuses[i] != -1) continue;
            if (::waitpid(children[i], &statuses[i], WNOHANG) != children[i]) {
                statuses[i] = -1;
                ++running;
            }
        }
    }
    EXPECT_EQ(broken, 0u) << "of " << looks;
    for (int status : statuses) EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::set<std::string> expected{"[Shared]"};
    for (char who : {'a', 'b'}) {
        EXPECT_EQ(Get("Shared", "last_"s + who), std::to_string(kKeys - 1));
        expected.insert("last_"s + who + "=" + std::to_string(kKeys - 1));
        for (int i = 0; i < kKeys; ++i) {
            EXPECT_EQ(Get("Shared", who + std::to_string(i)), "value" + std::to_string(i)) << who << i;
            expected.insert(who + std::to_string(i) + "=value" + std::to_string(i));
        }
    }
    // The file holds those lines and nothing else, each once, CR LF ended.
    std::string text = Text();
    std::multiset<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        lines.insert(text.substr(pos, end - pos));
        pos = end + 2;
    }
    EXPECT_EQ(lines, std::multiset<std::string>(expected.begin(), expected.end()));
}

}  // namespace
