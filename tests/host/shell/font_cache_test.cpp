// The font-name cache beside the program.
#include <gtest/gtest.h>

#include <vector>

#include "host/common/ini_access.h"
#include "host/shell/app_settings.h"
#include "host/shell/font_cache.h"
#include "tests/platform/temp_dir.h"

namespace quenby::shell {
namespace {

class FontCache : public ::testing::Test {
protected:
    QStringList Load(const QStringList& fonts, bool splash = false) {
        FontCacheHooks h;
        h.screenFonts = [&] { return fonts; };
        h.progressMaximum = [this](int m) { maximum = m; };
        h.progress = [this](int p) { progress.push_back(p); };
        h.splashShown = [splash] { return splash; };
        return LoadFontNames(dir_.path(), Ini(), h, &rebuilt);
    }
    std::filesystem::path Ini() const { return dir_.path() / "Quenby.ini"; }
    std::filesystem::path List() const { return dir_.path() / "FontList"; }
    QString Count() { return GetINIValue(kSectionQuenby, QStringLiteral("FontCount"), Ini()); }

    testing_fs::TempDir dir_;
    bool rebuilt = false;
    int maximum = -100;
    std::vector<int> progress;
};

TEST_F(FontCache, AMissingCountRebuildsTheListAndTheFileEndsWithAnEmptyLine) {
    const QStringList names = Load({QStringLiteral("IPAGothic"), QStringLiteral("ＭＳ ゴシック")});
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(names, (QStringList{QStringLiteral("IPAGothic"), QStringLiteral("ＭＳ ゴシック"), QString()}));
    EXPECT_EQ(Count(), QStringLiteral("2"));
    EXPECT_EQ(maximum, 1);
    // Shift_JIS, CR LF, an empty last line.
    EXPECT_EQ(testing_fs::ReadAll(List()), std::string("IPAGothic\r\n\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n\r\n"));
}

TEST_F(FontCache, TheSameCountReadsTheCacheAndAChangedCountRebuildsIt) {
    Load({QStringLiteral("A"), QStringLiteral("B")});
    // The platform is not asked for names while the count holds: the cache
    // answers even if the names differ.
    QStringList names = Load({QStringLiteral("X"), QStringLiteral("Y")});
    EXPECT_FALSE(rebuilt);
    EXPECT_EQ(names, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QString()}));
    // One font installed: the next start rebuilds and rewrites the count.
    names = Load({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(Count(), QStringLiteral("3"));
    EXPECT_EQ(names.size(), 4);
    // And one removed.
    Load({QStringLiteral("A")});
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(Count(), QStringLiteral("1"));
}

TEST_F(FontCache, AMissingCacheWithAMatchingCountGivesNoNames) {
    Load({QStringLiteral("A")});
    std::filesystem::remove(List());
    EXPECT_TRUE(Load({QStringLiteral("A")}).isEmpty());
    EXPECT_FALSE(rebuilt);
}

TEST_F(FontCache, ACacheOfAnyBytesGivesAListAndNoCrash) {
    Load({QStringLiteral("A")});
    std::string junk;
    for (int i = 0; i < 70000; ++i) junk.push_back(static_cast<char>((i * 131) & 0xFF));
    testing_fs::WriteAll(List(), junk);
    const QStringList names = Load({QStringLiteral("A")});
    EXPECT_FALSE(rebuilt);
    EXPECT_FALSE(names.isEmpty());
}

TEST_F(FontCache, ProgressEveryFifthFontOnlyWhileTheSplashShows) {
    QStringList fonts;
    for (int i = 0; i < 12; ++i) fonts << QStringLiteral("F%1").arg(i);
    Load(fonts, true);
    EXPECT_EQ(progress, (std::vector<int>{4, 9}));
    std::filesystem::remove(Ini());
    progress.clear();
    Load(fonts, false);
    EXPECT_TRUE(progress.empty());
}

}  // namespace
}  // namespace quenby::shell
