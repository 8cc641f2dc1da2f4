#include <gtest/gtest.h>

#include <random>

#include "control/engine/box_record.h"

using namespace tarn;

TEST(BoxRecord, WritesItemsWithTheirLengths) {
    std::string r;
    AppendBoxItem(r, 3, 0, "ab");
    AppendBoxItem(r, 0, 12, "x,y\r\n");
    EXPECT_EQ(r, "3,0,2,ab0,12,5,x,y\r\n");
    const std::vector<BoxItem> items = {{1, 2, "p"}, {3, 4, ""}};
    EXPECT_EQ(WriteBoxRecord(items), "1,2,1,p3,4,0,");
    EXPECT_EQ(WriteBoxRecordReversed(items), "3,4,0,1,2,1,p");
}

TEST(BoxRecord, ReadsBackWhatItWrote) {
    const std::vector<BoxItem> items = {{0, 0, "1,2,3,"}, {7, 99, std::string("\0\r\n,", 4)}, {5, 1, ""}, {-1, 2, "z"}};
    const BoxRecordParse p = ParseBoxRecord(WriteBoxRecord(items));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.items, items);
    EXPECT_TRUE(ParseBoxRecord("").ok);
    EXPECT_TRUE(ParseBoxRecord("").items.empty());
}

TEST(BoxRecord, MalformedItemsAreReportedNotReadPastTheEnd) {
    struct Case {
        std::string record;
        std::size_t goodItems;
        std::size_t offset;
    };
    const std::vector<Case> cases = {
        {"1,2,5,abc", 0, 0},              // length runs past the end
        {"1,2,1,a3,4", 1, 7},             // second item cut short
        {"x,2,1,a", 0, 0},                // not a number
        {"1,,1,a", 0, 0},                 // empty number
        {"1,2,-1,a", 0, 0},               // negative length
        {"99999999999,0,0,", 0, 0},       // beyond int
        {"1,2,99999999999999999999,", 0, 0},
        {"1,2,1,ab", 1, 7},               // trailing junk after an item
        {"1", 0, 0},
    };
    for (const Case& c : cases) {
        const BoxRecordParse p = ParseBoxRecord(c.record);
        EXPECT_FALSE(p.ok) << c.record;
        EXPECT_EQ(p.items.size(), c.goodItems) << c.record;
        EXPECT_EQ(p.errorOffset, c.offset) << c.record;
    }
    BoxRecordReader reader("1,1,1,a!");
    BoxItem it;
    EXPECT_EQ(reader.Next(it), BoxReadStatus::kItem);
    EXPECT_EQ(reader.Rest(), "!");
    EXPECT_EQ(reader.Next(it), BoxReadStatus::kMalformed);
    EXPECT_EQ(reader.Next(it), BoxReadStatus::kMalformed);
}

TEST(BoxRecord, EveryTruncationOfAGoodRecordIsSafe) {
    const std::string good = WriteBoxRecord({{12, 3, "ab,c"}, {0, 4, "\r\n"}, {7, 5, "xyz"}});
    for (std::size_t n = 0; n <= good.size(); ++n) {
        const BoxRecordParse p = ParseBoxRecord(good.substr(0, n));
        for (const BoxItem& it : p.items) EXPECT_LE(it.Text.size(), n);
    }
}

TEST(BoxRecord, RandomBytesNeverReadOutOfRange) {
    std::mt19937 rng(9);
    const std::string alphabet = "0123456789,,,-\r\nab";
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        for (int n = static_cast<int>(rng() % 40); n > 0; --n) s += alphabet[rng() % alphabet.size()];
        const BoxRecordParse p = ParseBoxRecord(s);
        std::size_t taken = 0;
        for (const BoxItem& it : p.items) taken += it.Text.size();
        EXPECT_LE(taken, s.size());
        if (!p.ok) {
            EXPECT_LE(p.errorOffset, s.size());
        }
        const std::string back = WriteBoxRecord(p.items);
        if (p.ok) {
            EXPECT_EQ(ParseBoxRecord(back).items, p.items);
        }
    }
}
