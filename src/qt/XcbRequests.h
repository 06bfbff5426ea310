#pragma once
// What the X11 requests Qt has no call for share: the connection Qt's xcb
// platform opened, atoms, and replies. Include only where QT_CONFIG(xcb) holds.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace kelvora::qt::xcb {

// The connection a window of the xcb platform lives on; null elsewhere. The
// offscreen platform answers as an X11 application too, with no connection.
inline xcb_connection_t* ConnectionOf(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        window.windowHandle() == nullptr) {
        return nullptr;
    }
    return x11->connection();
}

// xcb hands out replies to be freed with free().
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPointer<Reply> Owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

inline xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace kelvora::qt::xcb
