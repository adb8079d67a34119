#include "platform/WindowMoveRequest.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// A point in the X server's own pixels: a screen keeps its top-left corner in
// them and scales only from there.
QPoint nativePoint(QPointF global, const QScreen *screen)
{
    if (!screen)
        return global.toPoint();
    const QPointF origin = screen->geometry().topLeft();
    return (origin + (global - origin) * screen->devicePixelRatio()).toPoint();
}

} // namespace

bool requestMoveFromPress(QWindow *window, QPointF pressGlobal)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!window || !x11 || !x11->connection())
        return false;
    xcb_connection_t *connection = x11->connection();
    const auto id = xcb_window_t(window->winId());

    static const char name[] = "_NET_WM_MOVERESIZE";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, sizeof name - 1, name), nullptr);
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    const bool sent = atom && geometry;
    if (sent) {
        // The press, not the pointer's place now, is what the request names.
        const QPoint press = nativePoint(pressGlobal, window->screen());
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = atom->atom;
        message.data.data32[0] = uint32_t(press.x());
        message.data.data32[1] = uint32_t(press.y());
        message.data.data32[2] = 8; // a move by the pointer
        message.data.data32[3] = XCB_BUTTON_INDEX_1;
        message.data.data32[4] = 1; // asked for by an application
        xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
        xcb_send_event(connection, false, geometry->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(connection);
    }
    std::free(atom);
    std::free(geometry);
    return sent;
}
