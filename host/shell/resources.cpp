#include "host/shell/resources.h"

#include <QtCore/qresource.h>

// Outside any namespace, as the registration functions are.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(icons);
}

namespace quenby::shell {

void RegisterShellResources() {
    static const bool done = [] {
        InitResources();
        return true;
    }();
    (void)done;
}

}  // namespace quenby::shell
