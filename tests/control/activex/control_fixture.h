// A control made the way its class factory makes it, reached through its
// dispatch interface, with a recording sink that tests connect when they
// listen to events.
#pragma once

#include <gtest/gtest.h>

#include "control/activex/tarn_edit_x.h"
#include "control_test_support.h"
#include "platform/com/connection_point.h"
#include "platform/com/error_info.h"
#include "platform/com/late_bound.h"

namespace tarnedit::test {

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        control_ = com::MakeObject<TTarnEditX>();
        disp_ = com::ComPtr<com::IDispatch>(static_cast<ITarnEditX*>(control_.Get()));
    }
    void Connect() {
        sink_ = com::MakeObject<RecordingSink>();
        com::ComPtr<com::IConnectionPoint> cp;
        ASSERT_EQ(control_->FindConnectionPoint(IID_ITarnEditXEvents, cp.Put()), com::S_OK);
        ASSERT_EQ(cp->Advise(static_cast<ITarnEditXEvents*>(sink_.Get()), &cookie_), com::S_OK);
    }
    std::u16string LastError() {
        com::ErrorInfo info;
        return com::GetErrorInfo(&info) == com::S_OK ? info.description : u"";
    }
    com::IDispatch* d() { return disp_.Get(); }

    com::ComPtr<TTarnEditX> control_;
    com::ComPtr<com::IDispatch> disp_;
    com::ComPtr<RecordingSink> sink_;
    com::DWORD cookie_ = 0;
};

}  // namespace tarnedit::test
