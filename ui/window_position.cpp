#include "ui/window_position.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <memory>
#include <optional>

#include <xcb/xcb.h>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// The position of the window's own X11 window relative to the root window,
// in device-independent pixels.
std::optional<QPoint> X11Position(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    if (!handle || !handle->handle())
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(handle->winId());
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    if (!geometry)
        return std::nullopt;
    const ReplyPtr<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, geometry->root, 0, 0), nullptr));
    if (!origin)
        return std::nullopt;
    const qreal ratio = handle->devicePixelRatio();
    return QPoint(qRound(origin->dst_x / ratio), qRound(origin->dst_y / ratio));
}

PlaceRect ToPlaceRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QPoint TopLeft(const PlaceRect& rect)
{
    return {static_cast<int>(rect.left), static_cast<int>(rect.top)};
}

}  // namespace

QPoint ActualWindowPosition(const QWidget* window)
{
    return X11Position(window).value_or(window->pos());
}

std::vector<ScreenArea> ScreenAreas()
{
    std::vector<ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back({ToPlaceRect(screen->geometry()), ToPlaceRect(screen->availableGeometry())});
    return areas;
}

void PlaceOverOwner(QWidget* modal, const QWidget* owner)
{
    if (!owner)
        return;
    // Borderless windows: their frames are their client areas.
    const PlaceRect ownerRect = ToPlaceRect(QRect(ActualWindowPosition(owner), owner->size()));
    modal->move(TopLeft(ModalPlacement(ownerRect, modal->width(), modal->height(), ScreenAreas())));
}

QPoint StartPosition(QPoint saved, QSize size)
{
    return TopLeft(StartPlacement(ToPlaceRect(QRect(saved, size)), ScreenAreas()));
}
