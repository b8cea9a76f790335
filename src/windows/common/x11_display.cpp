#include "windows/common/x11_display.h"

#include "skin/frame/window_move.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

bool leftButtonDown()
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return true;
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, rootWindow(connection)), nullptr);
    if (!reply)
        return true;
    const bool down = reply->mask & XCB_BUTTON_MASK_1;
    std::free(reply);
    return down;
}

void cancelMove(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window)
        return;
    const char name[] = "_NET_WM_MOVERESIZE";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (!atom)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->window()->winId());
    message.type = atom->atom;
    message.data.data32[2] = 11; // _NET_WM_MOVERESIZE_CANCEL
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = 1; // asked by an application
    std::free(atom);
    xcb_send_event(connection, 0, rootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

} // namespace

void useX11DisplayQueries()
{
    if (x11Connection())
        skin::setDisplayQueries({leftButtonDown, cancelMove});
}
