#include "anticipo.h"

#include <QDBusConnection>

#include <fontconfig/fontconfig.h>

namespace trelva {

Ricerche anticipaLeRicerche()
{
    return {.caratteri = std::jthread([] { FcInit(); }), .bus = std::jthread([] { QDBusConnection::sessionBus(); })};
}

} // namespace trelva
