#include "control/engine/line_loader.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "control/engine/tarn_strings.h"
#include "engine_test_support.h"

using namespace tarn;
using namespace tarn::test;
using V = std::vector<std::string>;

namespace {
V Load(const TempDir& dir, const std::string& bytes) {
    auto p = dir / "in.txt";
    WriteFile(p, bytes);
    TTarnStrings s;
    s.LoadFromFile(p);
    return LinesOf(s);
}
std::string RoundTrip(const TempDir& dir, const std::string& bytes) {
    auto in = dir / "rt-in.txt";
    auto out = dir / "rt-out.txt";
    WriteFile(in, bytes);
    TTarnStrings s;
    s.LoadFromFile(in);
    s.SaveToFile(out);
    return ReadFile(out);
}
}  // namespace

TEST(LineBreakDetection, FirstBreakDecides) {
    TempDir dir;
    auto detect = [&](const std::string& bytes) {
        WriteFile(dir / "d.txt", bytes);
        return DetectLineBreak(dir / "d.txt");
    };
    EXPECT_EQ(detect("a\r\nb"), LineBreakKind::CRLF);
    EXPECT_EQ(detect("a\rb\r\n"), LineBreakKind::CR);
    EXPECT_EQ(detect("a\nb"), LineBreakKind::LF);
    EXPECT_EQ(detect("one line"), LineBreakKind::CR);
    EXPECT_EQ(detect(""), LineBreakKind::Empty);
    EXPECT_EQ(detect(std::string("a\0b\r\n", 5)), LineBreakKind::CR);
    // A first line longer than the 1024-byte window keeps its real breaks.
    EXPECT_EQ(detect(std::string(5000, 'x') + "\r\nb"), LineBreakKind::CRLF);
    EXPECT_EQ(detect(std::string(5000, 'x') + "\nb"), LineBreakKind::LF);
    // The CR as the window's last byte is judged by the real next byte.
    EXPECT_EQ(detect(std::string(1023, 'x') + "\r\nb"), LineBreakKind::CRLF);
    EXPECT_THROW(DetectLineBreak(dir / "missing"), EFileError);
}

TEST(LoadFromFile, CrLfFiles) {
    TempDir dir;
    EXPECT_EQ(Load(dir, ""), (V{kNul}));
    EXPECT_EQ(Load(dir, "a\r\n"), (V{"a\r\n", kNul}));
    EXPECT_EQ(Load(dir, "a\r\nb"), (V{"a\r\n", "b" + kNul}));
    EXPECT_EQ(Load(dir, "\r\n\r\n"), (V{"\r\n", "\r\n", kNul}));
    EXPECT_EQ(Load(dir, std::string("a\r\nb\0c", 6)), (V{"a\r\n", "b" + kNul, "c" + kNul}));
}

TEST(LoadFromFile, CrAndLfFilesAreStoredWithCrLf) {
    TempDir dir;
    EXPECT_EQ(Load(dir, "a\nb"), (V{"a\r\n", "b" + kNul}));
    EXPECT_EQ(Load(dir, "a\r"), (V{"a\r\n", kNul}));
    EXPECT_EQ(Load(dir, "a\nb\n"), (V{"a\r\n", "b\r\n", kNul}));
    // The first break is a lone CR: later LF bytes stay inside the lines.
    EXPECT_EQ(Load(dir, "a\rb\r\nc"), (V{"a\r\n", "b\r\n", "\nc" + kNul}));
    // NUL bytes are dropped by these loaders.
    EXPECT_EQ(Load(dir, std::string("a\nb\0c", 5)), (V{"a\r\n", "bc" + kNul}));
    EXPECT_EQ(Load(dir, "single"), (V{"single" + kNul}));
}

TEST(LoadFromFile, LongFirstLineKeepsItsBreaks) {
    TempDir dir;
    std::string first(3000, 'q');
    EXPECT_EQ(Load(dir, first + "\r\nx\r\ny"), (V{first + "\r\n", "x\r\n", "y" + kNul}));
    EXPECT_EQ(Load(dir, first + "\nx"), (V{first + "\r\n", "x" + kNul}));
}

TEST(LoadFromFile, LinesCrossingReadBlocksAreWhole) {
    TempDir dir;
    std::string text, lfText;
    V expected;
    for (int i = 0; i < 5000; ++i) {
        std::string line = std::string(static_cast<std::size_t>(i % 97), 'a' + static_cast<char>(i % 26)) + B({0x82, 0xA0});
        text += line + "\r\n";
        lfText += line + "\n";
        expected.push_back(line + "\r\n");
    }
    expected.push_back(kNul);
    EXPECT_EQ(Load(dir, text), expected);
    EXPECT_EQ(Load(dir, lfText), expected);
}

TEST(SaveToFile, WritesBackByteForByte) {
    TempDir dir;
    for (const std::string& bytes :
         {std::string(""), std::string("a\r\nb"), std::string("a\r\n"), std::string("\r\n"), std::string("\r\n\r\n"),
          std::string("a\r\nb\0c\r\n", 8), std::string("x\r\n") + B({0x82}), B({0x82, 0xA0, 0x82}),
          std::string(5000, 'z') + "\r\nend"}) {
        EXPECT_EQ(RoundTrip(dir, bytes), bytes);
    }
    // LF files come back with CR LF.
    EXPECT_EQ(RoundTrip(dir, "a\nb"), "a\r\nb");
    EXPECT_EQ(RoundTrip(dir, "a\nb\n"), "a\r\nb\r\n");
}

TEST(SaveToFile, BinaryFileLoadsWithoutHarm) {
    TempDir dir;
    std::string bin;
    for (int i = 0; i < 70000; ++i) bin.push_back(static_cast<char>((i * 7919) & 0xFF));
    WriteFile(dir / "bin", bin);
    TTarnStrings s;
    ASSERT_NO_THROW(s.LoadFromFile(dir / "bin"));
    ASSERT_GT(s.Count(), 0);
    EXPECT_TRUE(HasEofMark(s.Get(s.Count() - 1)));
}

TEST(SaveToFile, FailedWriteLeavesTheOldFile) {
    if (::geteuid() == 0) {
        // Root writes through permissions; use a path whose folder is missing.
        TTarnStrings s;
        s.SetTextStr("new");
        TempDir dir;
        EXPECT_THROW(s.SaveToFile(dir / "no-such-dir" / "f.txt"), EFileError);
        return;
    }
    TempDir dir;
    auto p = dir / "keep.txt";
    WriteFile(p, "old content");
    ::chmod(dir.path().c_str(), 0500);
    TTarnStrings s;
    s.SetTextStr("new");
    EXPECT_THROW(s.SaveToFile(p), EFileError);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(ReadFile(p), "old content");
}

TEST(SaveToFile, WriteFailingHalfWayLeavesTheOldFile) {
    // A file-size limit makes the write fail part way, as a full disk does.
    TempDir dir;
    auto p = dir / "doc.txt";
    WriteFile(p, "old content");
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 70000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    TTarnStrings s;
    s.SetTextStr(std::string(200000, 'x'));
    bool threw = false;
    try {
        s.SaveToFile(p);
    } catch (const EFileError&) {
        threw = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadFile(p), "old content");
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
    // Writing to a device that takes nothing reports the failure too.
    if (::access("/dev/full", W_OK) == 0) { EXPECT_THROW(s.SaveToFile("/dev/full"), EFileError); }
}

TEST(SaveToFile, KeepsPermissionsAndReplacesThroughLinks) {
    TempDir dir;
    auto p = dir / "mode.txt";
    WriteFile(p, "old");
    ::chmod(p.c_str(), 0640);
    std::filesystem::create_symlink(p, dir / "link.txt");
    TTarnStrings s;
    s.SetTextStr("new");
    s.SaveToFile(dir / "link.txt");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadFile(p), "new");
    struct stat st {};
    ::stat(p.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left beside it.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 2);
}

TEST(LoadFromFile, MissingFileLeavesTheStore) {
    TempDir dir;
    TTarnStrings s;
    s.SetTextStr("keep");
    EXPECT_THROW(s.LoadFromFile(dir / "missing.txt"), EFileError);
    EXPECT_THROW(s.LoadFromFile(dir.path()), EFileError);
    EXPECT_EQ(LinesOf(s), (V{"keep" + kNul}));
}
