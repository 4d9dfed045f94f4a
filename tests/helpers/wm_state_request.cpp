// Asks the window manager to change a window's state, as a task bar or a
// window list does (and `wmctrl -b`): a _NET_WM_STATE client message to the
// root window.
//
//   wm_state_request WINDOW add|remove maximize|fullscreen
//
// WINDOW is the X window id (decimal or 0x hex). Exits 0 once sent.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: wm_state_request WINDOW add|remove maximize|fullscreen\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const std::string action = argv[2];
    const std::string state = argv[3];
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "wm_state_request: no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(connection, "_NET_WM_STATE");
    message.data.data32[0] = action == "add" ? 1 : 0;
    if (state == "maximize") {
        message.data.data32[1] = Atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
        message.data.data32[2] = Atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ");
    } else {
        message.data.data32[1] = Atom(connection, "_NET_WM_STATE_FULLSCREEN");
    }
    message.data.data32[3] = 2;  // asked for by the user, through a pager or task bar
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    xcb_disconnect(connection);
    return 0;
}
