#include "distruzione.h"

#include <QCoreApplication>
#include <QWidget>
#include <xcb/xcb.h>

namespace trelva {

Distruzione::Distruzione(QWidget& finestra)
    : finestra_(finestra)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

Distruzione::~Distruzione()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool Distruzione::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* evento = static_cast<const xcb_generic_event_t*>(message);
    if ((evento->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
        return false;
    const auto* notizia = static_cast<const xcb_destroy_notify_event_t*>(message);
    // internalWinId: asking winId() of a window not yet made would make it.
    if (finestra_.internalWinId() && notizia->window == xcb_window_t(finestra_.internalWinId()))
        // Not from inside the native event's delivery: the close runs the
        // shutdown, which may return out of the game's waits.
        QMetaObject::invokeMethod(&finestra_, &QWidget::close, Qt::QueuedConnection);
    return false;
}

} // namespace trelva
