#include "host/preview/skin_layout.h"

#include "host/common/program_folder.h"

#include <gtest/gtest.h>

#include <QRegion>
#include <QTemporaryDir>

#include <fstream>

namespace quenby::preview {
namespace {

class SkinLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        program_ = ToPath(dir_.path());
        std::filesystem::create_directories(SkinFolder(program_) / "css");
    }
    std::filesystem::path WriteSkin(const std::string& name, const std::string& text) {
        const std::filesystem::path file = SkinFolder(program_) / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

    QTemporaryDir dir_;
    std::filesystem::path program_;
};

TEST_F(SkinLayoutTest, WithoutASkinTheDefaultScreenAndStyleSheet) {
    EXPECT_FALSE(ReadSkinFile(SkinFilePath(program_, QString())));  // the folder is no skin
    EXPECT_FALSE(ReadSkinFile(SkinFilePath(program_, QStringLiteral("missing.skin"))));
    const SkinLayout layout = LayOutSkin(program_, std::nullopt, 17, QSize());
    EXPECT_FALSE(layout.skinned);
    EXPECT_EQ(layout.area, QSize(240, 320));
    // The scroll bar stays visible: nothing is masked.
    EXPECT_EQ(layout.browser, QRect(-2, -2, 240, 320));
    for (const QRect& m : layout.masks) EXPECT_TRUE(m.isEmpty());
    EXPECT_EQ(layout.styleSheet, SkinFolder(program_) / "css" / "default.css");
}

TEST_F(SkinLayoutTest, TheScreenAt20_80ShowsExactly240By320OfPage) {
    const auto file = WriteSkin("phone.skin",
                                "[QuenbySkin]\r\nName=Phone\r\n[vUzezozi]\r\nBGFile=art/phone.png\r\nBrowserLeft=20\r\n"
                                "BrowserTop=80\r\nBrowserWidth=240\r\nBrowserHeight=320\r\ncss=css/phone.css\r\n");
    const std::optional<SkinFile> skin = ReadSkinFile(file);
    ASSERT_TRUE(skin);
    const int s = 15;
    const SkinLayout layout = LayOutSkin(program_, skin, s, QSize(280, 480));
    EXPECT_TRUE(layout.skinned);
    EXPECT_EQ(layout.area, QSize(280, 480));
    EXPECT_EQ(layout.browser, QRect(18, 78, 244 + s, 324 + s));
    EXPECT_EQ(layout.background, SkinFolder(program_) / "art" / "phone.png");
    EXPECT_EQ(layout.styleSheet, SkinFolder(program_) / "css" / "phone.css");

    // What the masks leave uncovered is exactly the screen.
    QRegion visible(layout.browser);
    for (const QRect& m : layout.masks) visible -= QRegion(m);
    EXPECT_EQ(visible.boundingRect(), QRect(20, 80, 240, 320));
    EXPECT_EQ(layout.screen, QRect(20, 80, 240, 320));
    EXPECT_EQ(visible.rectCount(), 1);
    EXPECT_EQ(layout.masks[kMaskRight], QRect(18 + 244 + s - 2 - s, 78, 2 + s, 324 + s));
    EXPECT_EQ(layout.masks[kMaskBottom], QRect(18, 78 + 324 + s - 2 - s, 244 + s, 2 + s));
}

TEST_F(SkinLayoutTest, FractionalAndBadValuesReadAsTheFileReaderReadsThem) {
    const auto file = WriteSkin("odd.skin",
                                "[vUzezozi]\r\nBrowserLeft= 10.6px\r\nBrowserTop=abc\r\nBrowserWidth=&H78\r\n"
                                "BrowserHeight=1e99\r\n");
    const std::optional<SkinFile> skin = ReadSkinFile(file);
    ASSERT_TRUE(skin);
    EXPECT_DOUBLE_EQ(skin->left, 10.6);
    EXPECT_DOUBLE_EQ(skin->top, 0);
    EXPECT_DOUBLE_EQ(skin->width, 120);
    const SkinLayout layout = LayOutSkin(program_, skin, 0, QSize());
    EXPECT_EQ(layout.browser.topLeft(), QPoint(9, -2));
    EXPECT_EQ(layout.browser.width(), 124);
    // A height no window could have is clamped, not overflowed.
    EXPECT_GT(layout.browser.height(), 0);
    // Without its picture the area still holds the whole screen.
    EXPECT_GE(layout.area.width(), layout.browser.right() + 1);
    EXPECT_TRUE(layout.background.empty());
}

TEST_F(SkinLayoutTest, AFileWithoutTheKeysIsASkinOfZeros) {
    const auto file = WriteSkin("empty.skin", "");
    const std::optional<SkinFile> skin = ReadSkinFile(file);
    ASSERT_TRUE(skin);
    const SkinLayout layout = LayOutSkin(program_, skin, 15, QSize());
    EXPECT_EQ(layout.browser, QRect(-2, -2, 19, 19));
}

}  // namespace
}  // namespace quenby::preview
