#include "qt/MapRequest.h"

#include <QTimer>

#if QT_CONFIG(xcb)
#include "qt/XcbRequests.h"
#endif

namespace kelvora::qt {

#if QT_CONFIG(xcb)
namespace {

// Long enough for a window manager that got the first request to act on it.
constexpr int kRepeatMilliseconds = 500;

bool MappedOrManaged(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t wmState) {
    const auto attributes = xcb::Owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_UNMAPPED) return true;
    const auto state = xcb::Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, wmState, XCB_ATOM_ANY, 0, 0), nullptr));
    return state && state->type != XCB_ATOM_NONE;
}

}  // namespace

void KeepRequestingMap(QWidget& window) {
    xcb_connection_t* connection = xcb::ConnectionOf(window);
    if (connection == nullptr) return;
    const xcb_atom_t wmState = xcb::Atom(connection, "WM_STATE");
    auto* repeat = new QTimer(&window);
    QObject::connect(repeat, &QTimer::timeout, &window, [connection, wmState, repeat, &window] {
        const auto id = static_cast<xcb_window_t>(window.winId());
        if (!window.isVisible() || MappedOrManaged(connection, id, wmState)) {
            repeat->stop();
            repeat->deleteLater();
            return;
        }
        xcb_map_window(connection, id);
        xcb_flush(connection);
    });
    repeat->start(kRepeatMilliseconds);
}

#else

void KeepRequestingMap(QWidget&) {}

#endif

}  // namespace kelvora::qt
