#include "xroundtrip.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

namespace quelvara::bench {

bool xRoundTrip()
{
    // The offscreen platform answers to the X11 interface too, without a
    // connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || QGuiApplication::platformName() != QStringLiteral("xcb"))
        return false;
    // Asking for a reply sends everything still in the connection's buffer.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return true;
}

} // namespace quelvara::bench
