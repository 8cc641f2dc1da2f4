// The pictures and icons built into the shell's library. A static
// library's resources are registered by hand: everything that reads them
// calls this first (it registers once).
#pragma once

namespace quenby::shell {

void RegisterShellResources();

}  // namespace quenby::shell
