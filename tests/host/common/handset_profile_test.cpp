#include "host/common/handset_profile.h"
#include "host/common/ini_access.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace quenby {
namespace {

std::filesystem::path Shipped() { return std::filesystem::path(QUENBY_DATA_DIR) / "handsets.ini"; }

TEST(HandsetProfiles, ShippedFileBuildsEachVersionOnThePreviousOne) {
    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(Shipped());
    ASSERT_EQ(profiles.size(), 7u);
    EXPECT_EQ(profiles.front().version, "1.0");
    EXPECT_EQ(profiles.back().version, "7.0");

    const HandsetProfile* first = FindProfile(profiles, "1.0");
    const HandsetProfile* second = FindProfile(profiles, "2.0");
    const HandsetProfile* fourth = FindProfile(profiles, "4.0");
    ASSERT_TRUE(first && second && fourth);
    EXPECT_FALSE(first->elements.contains("FONT"));
    EXPECT_TRUE(second->elements.contains("FONT"));
    EXPECT_TRUE(second->elements.contains("A"));
    EXPECT_TRUE(second->attributes.contains("A.HREF"));
    EXPECT_FALSE(first->attributes.contains("BODY.BGCOLOR"));
    EXPECT_TRUE(fourth->attributes.contains("BODY.BGCOLOR"));
    EXPECT_FALSE(FindProfile(profiles, "3.0")->extendedPictographs);
    EXPECT_TRUE(fourth->extendedPictographs);
    EXPECT_EQ(first->limitBytes, 5120);
    EXPECT_EQ(FindProfile(profiles, "5.0")->limitBytes, 20480);
    EXPECT_EQ(profiles.back().limitBytes, 102400);
    EXPECT_EQ(fourth->screen, QSize(160, 180));
    EXPECT_TRUE(profiles.back().agent.startsWith("DoCoMo/2.0"));
}

TEST(HandsetProfiles, UnknownVersionIsNotFound) {
    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(Shipped());
    EXPECT_EQ(FindProfile(profiles, "8.0"), nullptr);
    EXPECT_EQ(FindProfile(profiles, ""), nullptr);
    EXPECT_EQ(FindProfile({}, "1.0"), nullptr);
}

TEST(HandsetProfiles, MissingOrMalformedFileGivesNoProfiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    EXPECT_TRUE(ReadHandsetProfiles(folder / "absent.ini").empty());
    EXPECT_TRUE(ReadHandsetProfiles(folder).empty());

    const std::string good =
        "[1.0]\nElements=HTML,BODY\nLimitBytes=5120\nScreenWidth=96\nScreenHeight=72\nAgent=a\n";
    const char* broken[] = {
        "Elements=HTML\n[1.0]\n",                           // a key before any section
        "[1.0\nElements=HTML\n",                            // an unclosed section
        "[1.0]\nElements=HTML\nLimitBytes=five\n",          // not a number
        "[1.0]\nElements=HTML\nLimitBytes=5120\n",          // no screen or agent
        "[1.0]\nElements=HTML\nColour=red\n",               // unknown key
        "[1.0]\nElements=HTML\nLimitBytes=5120\nScreenWidth=4097\nScreenHeight=72\nAgent=a\n",  // no such screen
        "[1.0]\nElements=HTML\nLimitBytes=5120\nScreenWidth=4294967392\nScreenHeight=72\nAgent=a\n",
        "[1.0]\nthis line has no equals sign\n",
        "\xff\xfe\x00[",
    };
    int n = 0;
    for (const std::string& text : {good + "ExtendedPictographs=2\n", good + good}) {
        const std::filesystem::path file = folder / ("dup" + std::to_string(n++) + ".ini");
        std::ofstream(file, std::ios::binary) << text;
        EXPECT_TRUE(ReadHandsetProfiles(file).empty()) << text;
    }
    for (const char* text : broken) {
        const std::filesystem::path file = folder / ("bad" + std::to_string(n++) + ".ini");
        std::ofstream(file, std::ios::binary) << text;
        EXPECT_TRUE(ReadHandsetProfiles(file).empty()) << text;
    }
    const std::filesystem::path file = folder / "good.ini";
    std::ofstream(file, std::ios::binary) << good;
    EXPECT_EQ(ReadHandsetProfiles(file).size(), 1u);
}

}  // namespace
TEST(HandsetProfiles, SkinsNameTheirTargetInASectionOfTheirOwn) {
    QTemporaryDir dir;
    const std::filesystem::path skin = std::filesystem::path(dir.path().toStdString()) / "s.ini";
    std::ofstream(skin, std::ios::binary) << "[vUzezozi]\r\nProfile=1.0\r\n[QuenbyHandset]\r\nProfile= 5.0 \r\n";
    EXPECT_EQ(SkinHandset(skin), "5.0");
    EXPECT_EQ(SkinHandset(skin.parent_path() / "none.ini"), "");
    EXPECT_EQ(SkinHandset({}), "");

    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(Shipped());
    EXPECT_EQ(TargetProfile(profiles, "5.0")->version, "5.0");
    EXPECT_EQ(TargetProfile(profiles, "")->version, "7.0");
    EXPECT_EQ(TargetProfile(profiles, "8.5")->version, "7.0") << "an unknown name checks against the newest";
    EXPECT_EQ(TargetProfile({}, "5.0"), nullptr);
}

TEST(HandsetProfiles, ShippedSkinsNameProfilesMatchingTheirScreens) {
    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(Shipped());
    const std::filesystem::path skins = std::filesystem::path(QUENBY_DATA_DIR) / "skin";
    int named = 0;
    for (const auto& entry : std::filesystem::directory_iterator(skins)) {
        if (!entry.is_regular_file()) continue;
        const HandsetProfile* p = FindProfile(profiles, SkinHandset(entry.path()));
        ASSERT_NE(p, nullptr) << entry.path();
        const int w = GetINIValue("vUzezozi", "BrowserWidth", entry.path()).toInt();
        const int h = GetINIValue("vUzezozi", "BrowserHeight", entry.path()).toInt();
        EXPECT_EQ(p->screen, QSize(w, h)) << entry.path() << ": the picture's screen is the handset's";
        ++named;
    }
    EXPECT_EQ(named, 3);
}

}  // namespace quenby
