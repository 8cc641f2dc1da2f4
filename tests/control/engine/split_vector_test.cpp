#include "control/engine/split_vector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using tarn::SplitVector;

TEST(SplitVector, RandomEditsMatchAPlainVector) {
    // Inserts and deletes clustered around a moving point, with the
    // reservation grown and trimmed the way the line store does it.
    std::mt19937 rng(1234);
    SplitVector<std::string> v;
    std::vector<std::string> model;
    std::ptrdiff_t cap = 0;
    int point = 0;
    for (int op = 0; op < 20000; ++op) {
        const int len = static_cast<int>(model.size());
        int kind = static_cast<int>(rng() % 10);
        if (rng() % 50 == 0) point = len ? static_cast<int>(rng() % static_cast<unsigned>(len + 1)) : 0;
        point = std::min(point, len);
        if (kind < 6) {
            if (v.Length() == cap) {
                cap += std::max<std::ptrdiff_t>(v.Length() / 128, 32);
                v.Reallocate(cap);
            }
            std::string s = "line" + std::to_string(op);
            v.Insert(point, s);
            model.insert(model.begin() + point, s);
            ++point;
        } else if (kind < 9 && len > 0) {
            int at = std::min(point, len - 1);
            int n = std::min(1 + static_cast<int>(rng() % 3), len - at);
            v.DeleteRange(at, n);
            model.erase(model.begin() + at, model.begin() + at + n);
        } else if (len > 0 && rng() % 20 == 0) {
            cap = v.Length();
            v.Reallocate(cap);
        }
        ASSERT_EQ(v.Length(), static_cast<std::ptrdiff_t>(model.size()));
        if (op % 97 == 0 || op > 19900) {
            for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(v[static_cast<std::ptrdiff_t>(i)], model[i]) << op;
        }
    }
}

TEST(SplitVector, ReservationIsExactAndResizeFills) {
    SplitVector<std::string> v;
    v.Reallocate(100);
    EXPECT_EQ(v.Capacity(), 100);
    for (int i = 0; i < 10; ++i) v.Insert(0, std::to_string(i));
    v.Reallocate(10);
    EXPECT_EQ(v.Capacity(), 10);
    EXPECT_EQ(v[0], "9");
    EXPECT_EQ(v[9], "0");
    v.Resize(12);
    EXPECT_EQ(v[11], "");
    v.Resize(3);
    EXPECT_EQ(v.Length(), 3);
    EXPECT_EQ(v[2], "7");
    v.Clear();
    EXPECT_EQ(v.Length(), 0);
    EXPECT_EQ(v.Capacity(), 0);
}

TEST(SplitVector, AnAdoptedVectorKeepsItsValuesAndTakesEdits) {
    // Room left in the adopted vector's reservation, and none.
    for (const std::size_t room : {std::size_t{0}, std::size_t{100}}) {
        std::vector<std::string> values;
        values.reserve(300 + room);
        for (int i = 0; i < 300; ++i) values.push_back("row" + std::to_string(i) + std::string(20, 'x'));
        std::vector<std::string> model = values;
        SplitVector<std::string> v;
        v.Insert(0, "old contents");
        v.Adopt(std::move(values));
        ASSERT_EQ(v.Length(), 300);
        for (int i = 0; i < 300; ++i) ASSERT_EQ(v[i], model[static_cast<std::size_t>(i)]);
        // Edits in the middle and at both ends, as typing after a load does.
        for (int k = 0; k < 50; ++k) {
            const int at = (k * 37) % static_cast<int>(model.size() + 1);
            v.Insert(at, "new" + std::to_string(k));
            model.insert(model.begin() + at, "new" + std::to_string(k));
        }
        v.DeleteRange(10, 20);
        model.erase(model.begin() + 10, model.begin() + 30);
        v.Insert(v.Length(), "end");
        model.push_back("end");
        v.Insert(0, "start");
        model.insert(model.begin(), "start");
        ASSERT_EQ(v.Length(), static_cast<std::ptrdiff_t>(model.size()));
        for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(v[static_cast<std::ptrdiff_t>(i)], model[i]) << i;
        v.Reallocate(v.Length());
        for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(v[static_cast<std::ptrdiff_t>(i)], model[i]) << i;
    }
}
