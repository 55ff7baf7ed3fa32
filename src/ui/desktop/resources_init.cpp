#include "ui/desktop/resources_init.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares its function where it is used, so this stays outside any namespace.
void tavlorInitResources() {
    static const bool done = [] {
#include "resource_inits.inc"
        return true;
    }();
    (void)done;
}
