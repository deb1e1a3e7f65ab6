#include "X11FrameExtents.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {
template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t FrameExtentsAtom(xcb_connection_t* connection) {
    static const char kName[] = "_NET_FRAME_EXTENTS";
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}
} // namespace

std::optional<QMargins> X11FrameExtents(const QWindow* window) {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !window || !window->handle() || QGuiApplication::platformName() != u"xcb")
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    if (!connection)
        return std::nullopt;
    const xcb_atom_t atom = FrameExtentsAtom(connection);
    if (atom == XCB_ATOM_NONE)
        return std::nullopt;
    const auto id = xcb_window_t(window->winId());
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, id, atom, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    // left, right, top, bottom
    const auto* v = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}
