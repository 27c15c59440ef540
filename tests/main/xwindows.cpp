#include "xwindows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct connection_closer {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
struct reply_freer {
    void operator()(void* reply) const { std::free(reply); }
};

typedef std::unique_ptr<xcb_connection_t, connection_closer> Connection;
template <typename Reply>
using Owned = std::unique_ptr<Reply, reply_freer>;

Connection connectDisplay()
{
    Connection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        return Connection();
    return connection;
}

xcb_window_t rootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, quint16(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool ownedBy(xcb_connection_t* connection, const xcb_window_t& window, const xcb_atom_t& pidAtom, const qint64& pid)
{
    Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return false;
    return *static_cast<const quint32*>(xcb_get_property_value(reply.get())) == quint32(pid);
}

bool mapped(xcb_connection_t* connection, const xcb_window_t& window)
{
    Owned<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

} // namespace

quint32 XWindows::mappedWindowOf(const qint64& pid)
{
    Connection connection = connectDisplay();
    if (!connection)
        return 0;
    const xcb_atom_t pidAtom = atom(connection.get(), "_NET_WM_PID");
    Owned<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), rootOf(connection.get())), nullptr));
    if (!tree)
        return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (ownedBy(connection.get(), children[i], pidAtom, pid) && mapped(connection.get(), children[i]))
            return children[i];
    }
    return 0;
}

QRect XWindows::geometry(const quint32& window)
{
    Connection connection = connectDisplay();
    if (!connection)
        return QRect();
    Owned<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), window), nullptr));
    return reply ? QRect(reply->x, reply->y, reply->width, reply->height) : QRect();
}

bool XWindows::askClose(const quint32& window)
{
    Connection connection = connectDisplay();
    if (!connection)
        return false;
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof(event));
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(connection.get(), "WM_PROTOCOLS");
    event.data.data32[0] = atom(connection.get(), "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection.get(), 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    return xcb_flush(connection.get()) > 0;
}
