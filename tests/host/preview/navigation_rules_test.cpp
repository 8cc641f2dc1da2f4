#include "host/preview/navigation_rules.h"

#include <gtest/gtest.h>

namespace quenby::preview {
namespace {

const QString kPreview = QStringLiteral("/tmp/q/temp2.htm");

NavigationKind Kind(const QString& url) { return ClassifyNavigation(url, kPreview).kind; }

TEST(ClassifyNavigationTest, WebAddressesAreFetchedWhatever_ElseTheyHold) {
    EXPECT_EQ(Kind(QStringLiteral("http://example.com/")), NavigationKind::Web);
    EXPECT_EQ(Kind(QStringLiteral("https://example.com/a.html")), NavigationKind::Web);
    // "http://" anywhere counts, as the design tests with a substring.
    EXPECT_EQ(Kind(QStringLiteral("view-source:http://example.com/")), NavigationKind::Web);
    EXPECT_EQ(Kind(QStringLiteral("http:///")), NavigationKind::Browser);
    EXPECT_EQ(Kind(QStringLiteral("res://ieframe.dll/http://x")), NavigationKind::Browser);
}

TEST(ClassifyNavigationTest, LocalFilesAreConvertedExceptThePreviewFile) {
    Navigation n = ClassifyNavigation(QStringLiteral("file:///tmp/q/temporary.html"), kPreview);
    EXPECT_EQ(n.kind, NavigationKind::Local);
    EXPECT_EQ(n.path, QStringLiteral("/tmp/q/temporary.html"));
    EXPECT_EQ(Kind(QStringLiteral("file:///tmp/q/temp2.htm")), NavigationKind::Preview);
    // Compared without regard to case, as the design does.
    EXPECT_EQ(Kind(QStringLiteral("file:///tmp/q/TEMP2.HTM")), NavigationKind::Preview);
    // The preview file of another folder is an ordinary local page.
    EXPECT_EQ(Kind(QStringLiteral("file:///tmp/other/temp2.htm")), NavigationKind::Local);
}

TEST(ClassifyNavigationTest, FileAddressesAreDecodedToTheirPath) {
    Navigation n = ClassifyNavigation(QStringLiteral("file:///tmp/my%20pages/%E3%81%82.html"), kPreview);
    EXPECT_EQ(n.kind, NavigationKind::Local);
    EXPECT_EQ(n.path, QStringLiteral("/tmp/my pages/あ.html"));
    // A drive path, as the design's own addresses look, stays as it is.
    n = ClassifyNavigation(QStringLiteral("C:\\pages\\a.htm"), kPreview);
    EXPECT_EQ(n.kind, NavigationKind::Local);
    EXPECT_EQ(n.path, QStringLiteral("C:\\pages\\a.htm"));
}

TEST(ClassifyNavigationTest, OtherAddressesAreLeftToTheBrowser) {
    EXPECT_EQ(Kind(QStringLiteral("about:blank")), NavigationKind::Browser);
    EXPECT_EQ(Kind(QStringLiteral("data:text/html,hi")), NavigationKind::Browser);
    EXPECT_EQ(Kind(QStringLiteral("mailto:a@example.com")), NavigationKind::Browser);
    EXPECT_EQ(Kind(QString()), NavigationKind::Browser);
}

TEST(FetchedPageTest, APageFromTheTemporaryFolderIsNotConvertedAgain) {
    EXPECT_TRUE(ConvertsFetchedPage(QStringLiteral("http://example.com/a"), QStringLiteral("/tmp/q")));
    EXPECT_FALSE(ConvertsFetchedPage(QStringLiteral("http://example.com/tmp/q/a"), QStringLiteral("/tmp/q")));
}

TEST(Is3gpAddressTest, TheExtensionAfterTheLastDotInAnyCase) {
    EXPECT_TRUE(Is3gpAddress(QStringLiteral("http://example.com/movie.3gp")));
    EXPECT_TRUE(Is3gpAddress(QStringLiteral("http://example.com/MOVIE.3GP")));
    EXPECT_FALSE(Is3gpAddress(QStringLiteral("http://example.com/movie.3gp2")));
    EXPECT_FALSE(Is3gpAddress(QStringLiteral("http://example.com/3gp")));
    EXPECT_FALSE(Is3gpAddress(QString()));
}

}  // namespace
}  // namespace quenby::preview
