// An input context that records the calls the control makes, and can act
// as an input method would when asked to complete a composition.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/view/input_context.h"

namespace tarn::view::test {

class TRecordingInputContext : public TInputContext {
public:
    std::vector<std::string> calls;
    unsigned conversion = 0x0109, sentence = 8;
    bool open = false;
    std::string composition;
    std::function<void()> onComplete;

    bool GetConversionStatus(unsigned& c, unsigned& s) override {
        calls.push_back("GetConversionStatus");
        c = conversion;
        s = sentence;
        return true;
    }
    bool SetConversionStatus(unsigned c, unsigned s) override {
        calls.push_back("SetConversionStatus " + std::to_string(c) + " " + std::to_string(s));
        conversion = c;
        sentence = s;
        return true;
    }
    bool GetOpenStatus() override { return open; }
    bool SetOpenStatus(bool o) override {
        calls.push_back(o ? "Open" : "Close");
        open = o;
        return true;
    }
    bool SetCompositionString(unsigned index, std::string_view s) override {
        calls.push_back("SetCompositionString " + std::to_string(index));
        composition = std::string(s);
        return true;
    }
    bool NotifyIME(unsigned action, unsigned index, unsigned value) override {
        calls.push_back("Notify " + std::to_string(action) + " " + std::to_string(index) + " " + std::to_string(value));
        if (action == NI_COMPOSITIONSTR && index == CPS_COMPLETE && onComplete) onComplete();
        return true;
    }
    bool SetCompositionFont(const QFont&) override { return true; }
    bool SetCompositionWindow(const TCompositionWindow&) override { return true; }
};

}  // namespace tarn::view::test
