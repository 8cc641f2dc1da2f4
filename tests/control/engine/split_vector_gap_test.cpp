#include <gtest/gtest.h>

#include <string>

#include "control/engine/split_vector.h"

using namespace tarn;

namespace {
std::string Joined(const SplitVector<std::string>& v) {
    std::string s;
    for (std::ptrdiff_t i = 0; i < v.Length(); ++i) s += v[i] + "|";
    return s;
}
}  // namespace

// A full buffer has no gap: moving the gap must not move values onto
// themselves (that emptied the strings it passed).
TEST(SplitVector, EditsInAFullBufferKeepTheOtherValues) {
    SplitVector<std::string> v;
    v.Reallocate(4);
    for (int i = 0; i < 4; ++i) v.Insert(i, std::string(1, static_cast<char>('a' + i)));
    v.DeleteRange(1, 1);
    EXPECT_EQ(Joined(v), "a|c|d|");
    v.Reallocate(3);
    v.Insert(3, "e");  // grows
    v.Reallocate(4);
    v.Delete(3);
    EXPECT_EQ(Joined(v), "a|c|d|");
    v.Reallocate(3);
    v.DeleteRange(0, 1);
    EXPECT_EQ(Joined(v), "c|d|");
    v.Insert(0, "z");
    v.Insert(3, "y");
    EXPECT_EQ(Joined(v), "z|c|d|y|");
}
