// Identities of the test server library, shared with the tests that load it.
#pragma once

#include "platform/com/dispatch.h"

namespace test_server {

namespace com = platform::com;

// {3F7B2A10-91C4-4E55-B0A2-6D1E8C4F2201}
inline constexpr com::CLSID kAdderClsid{0x3F7B2A10, 0x91C4, 0x4E55, {0xB0, 0xA2, 0x6D, 0x1E, 0x8C, 0x4F, 0x22, 0x01}};
inline constexpr char kAdderProgId[] = "QuenbyTest.Adder";
inline constexpr char16_t kAdderProgIdU16[] = u"QuenbyTest.Adder";

struct IAdder : com::IDispatch {
    static constexpr com::IID kIid{0x3F7B2A10, 0x91C4, 0x4E55, {0xB0, 0xA2, 0x6D, 0x1E, 0x8C, 0x4F, 0x22, 0x02}};
    using Base = com::IDispatch;
};

enum : com::DISPID { kAdd = 1, kTotal = 2, kFail = 3, kSplit = 4 };

}  // namespace test_server
