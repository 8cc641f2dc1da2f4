// The state of one loaded module (a server library, or the program itself):
// how many objects it has alive and how many locks its clients hold. The
// counters are private to each module, even where the rest of the platform
// library is shared, because DllCanUnloadNow asks about this module only.
#pragma once

#include "platform/com/hresult.h"

namespace platform::com {

[[gnu::visibility("hidden")]] void ModuleObjectAdded() noexcept;
[[gnu::visibility("hidden")]] void ModuleObjectRemoved() noexcept;
[[gnu::visibility("hidden")]] void ModuleLock() noexcept;
[[gnu::visibility("hidden")]] void ModuleUnlock() noexcept;
[[gnu::visibility("hidden")]] long ModuleObjectCount() noexcept;
[[gnu::visibility("hidden")]] long ModuleLockCount() noexcept;

// What DllCanUnloadNow returns: S_OK when nothing is alive or locked.
[[gnu::visibility("hidden")]] HRESULT ModuleCanUnloadNow() noexcept;

}  // namespace platform::com
