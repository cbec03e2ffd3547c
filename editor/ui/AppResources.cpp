#include "editor/ui/AppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registering function where it is used: that
// must be the global namespace.
static void RegisterTavrinResources()
{
    Q_INIT_RESOURCE(tavrin);
}

namespace editor {

void RegisterAppResources()
{
    static const bool loaded = [] {
        RegisterTavrinResources();
        return true;
    }();
    (void)loaded;
}

} // namespace editor
