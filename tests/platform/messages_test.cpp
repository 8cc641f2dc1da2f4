#include "platform/messages/messages.h"

#include <gtest/gtest.h>

namespace m = platform::messages;

TEST(RegisteredMessages, SameNameSameNumberFromC000) {
    const m::UINT a = m::RegisterWindowMessage("QUENBY_TEST_A");
    const m::UINT b = m::RegisterWindowMessage("QUENBY_TEST_B");
    EXPECT_GE(a, 0xC000u);
    EXPECT_LE(a, 0xFFFFu);
    EXPECT_NE(a, b);
    EXPECT_EQ(m::RegisterWindowMessage("QUENBY_TEST_A"), a);
    // Names compare as Windows compares them: without ASCII case.
    EXPECT_EQ(m::RegisterWindowMessage("quenby_test_a"), a);
    EXPECT_EQ(m::RegisterWindowMessage(""), 0u);
}

TEST(MessageWords, PackingAndSignedHalves) {
    EXPECT_EQ(m::MAKELONG(3, 7), 0x00070003u);
    EXPECT_EQ(m::MAKELONG(0x12345, 1), 0x00012345u & 0x0001FFFFu);
    EXPECT_EQ(m::LOWORD(0x00070003u), 3);
    EXPECT_EQ(m::HIWORD(0x00070003u), 7);
    // A wheel delta of -120 travels as 0xFF88 in the high word.
    const m::WPARAM w = m::MAKELONG(0, static_cast<unsigned>(static_cast<std::uint16_t>(-120)));
    EXPECT_EQ(m::SignedHigh(w), -120);
    EXPECT_EQ(m::SignedLow(m::MAKELONG(0xFFFF, 0)), -1);
}

TEST(MessageNumbers, WindowsValues) {
    EXPECT_EQ(m::WM_SIZE, 0x0005u);
    EXPECT_EQ(m::WM_ERASEBKGND, 0x0014u);
    EXPECT_EQ(m::WM_HSCROLL, 0x0114u);
    EXPECT_EQ(m::WM_VSCROLL, 0x0115u);
    EXPECT_EQ(m::WM_MOUSEWHEEL, 0x020Au);
    EXPECT_EQ(m::EM_SETSEL, 0x00B1u);
    EXPECT_EQ(m::SB_THUMBTRACK, 5);
    EXPECT_EQ(m::SB_BOTTOM, 7);
    EXPECT_EQ(m::VK_PRIOR, 0x21u);
    EXPECT_EQ(m::MK_SHIFT, 0x0004u);
}
