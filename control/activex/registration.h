// What registering the control writes: the class key with its server,
// ProgID, control flags, misc status, toolbox bitmap, type library, version
// and verbs; the ProgID key; and the type library key.
#pragma once

#include <string>

#include "platform/com/hresult.h"

namespace tarnedit {

platform::com::HRESULT RegisterControl(const std::string& modulePath) noexcept;
platform::com::HRESULT UnregisterControl() noexcept;

}  // namespace tarnedit
