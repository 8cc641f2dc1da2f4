#include "platform/com/module.h"

#include <atomic>

namespace platform::com {
namespace {
std::atomic<long> objects{0};
std::atomic<long> locks{0};
}  // namespace

void ModuleObjectAdded() noexcept { ++objects; }
void ModuleObjectRemoved() noexcept { --objects; }
void ModuleLock() noexcept { ++locks; }
void ModuleUnlock() noexcept { --locks; }
long ModuleObjectCount() noexcept { return objects.load(); }
long ModuleLockCount() noexcept { return locks.load(); }
HRESULT ModuleCanUnloadNow() noexcept { return objects.load() == 0 && locks.load() == 0 ? S_OK : S_FALSE; }

}  // namespace platform::com
