#include "qt/TaskbarState.h"

#include <algorithm>

#if QT_CONFIG(xcb)
#include "qt/XcbRequests.h"
#endif

namespace kelvora::qt {

#if QT_CONFIG(xcb)
namespace {

using xcb::Atom;
using xcb::Owned;

// An unmapped window's state property holds what the window manager is to
// apply when it maps the window: add the atoms it lacks, keep the others.
void AddToStateProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state,
                        const xcb_atom_t (&wanted)[2]) {
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr));
    const xcb_atom_t* present = nullptr;
    int count = 0;
    if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        present = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        count = xcb_get_property_value_length(reply.get()) / 4;
    }
    for (const xcb_atom_t atom : wanted) {
        if (std::find(present, present + count, atom) != present + count) continue;
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32, 1,
                            &atom);
    }
}

// A mapped window's state belongs to the window manager: ask it, by a
// message to the root window, to add both states.
void RequestStates(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state,
                   const xcb_atom_t (&wanted)[2]) {
    const auto geometry =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry) return;
    constexpr std::uint32_t kAdd = 1;
    constexpr std::uint32_t kFromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = state;
    message.data.data32[0] = kAdd;
    message.data.data32[1] = wanted[0];
    message.data.data32[2] = wanted[1];
    message.data.data32[3] = kFromApplication;
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

}  // namespace

void KeepOffTaskbar(const QWidget& window, WindowMapped mapped) {
    xcb_connection_t* connection = xcb::ConnectionOf(window);
    if (connection == nullptr) return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t wanted[2] = {Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                  Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (mapped == WindowMapped::No) {
        AddToStateProperty(connection, id, state, wanted);
    } else {
        RequestStates(connection, id, state, wanted);
    }
    xcb_flush(connection);
}

#else

void KeepOffTaskbar(const QWidget&, WindowMapped) {}

#endif

}  // namespace kelvora::qt
