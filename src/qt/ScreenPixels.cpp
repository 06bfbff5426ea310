#include "qt/ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora::qt {
namespace {

QRect InScreenPixels(const QScreen* screen) {
    const QRect logical = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    return QRect(logical.topLeft(),
                 QSize(qRound(logical.width() * scale), qRound(logical.height() * scale)));
}

// How far a point or rectangle lies from a screen; 0 when they meet.
qint64 Distance(const QRect& screen, const QRect& rect) {
    const qint64 dx = std::max({0, screen.left() - rect.right(), rect.left() - screen.right()});
    const qint64 dy = std::max({0, screen.top() - rect.bottom(), rect.top() - screen.bottom()});
    return dx * dx + dy * dy;
}

// The screen that holds the point, or the nearest one; null without screens.
template <typename Area>
QScreen* NearestScreen(const QRect& rect, Area area) {
    QScreen* nearest = nullptr;
    qint64 best = std::numeric_limits<qint64>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const qint64 distance = Distance(area(screen), rect);
        if (distance < best) {
            best = distance;
            nearest = screen;
        }
    }
    return nearest;
}

}  // namespace

QRect ToScreenPixels(const QRect& logical) {
    const QScreen* screen = NearestScreen(QRect(logical.topLeft(), QSize(1, 1)),
                                          [](const QScreen* s) { return s->geometry(); });
    if (screen == nullptr) return logical;
    const QPoint origin = screen->geometry().topLeft();
    const qreal scale = screen->devicePixelRatio();
    const QPoint topLeft = origin + (logical.topLeft() - origin) * scale;
    return QRect(topLeft, QSize(qRound(logical.width() * scale), qRound(logical.height() * scale)));
}

QPoint FromScreenPixels(const QPoint& screenPixels) {
    const QScreen* screen = NearestScreen(QRect(screenPixels, QSize(1, 1)), InScreenPixels);
    if (screen == nullptr) return screenPixels;
    const QPoint origin = screen->geometry().topLeft();
    return origin + (screenPixels - origin) / screen->devicePixelRatio();
}

QRect OntoSomeScreen(const QRect& frame) {
    const auto screens = QGuiApplication::screens();
    const bool seen = std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        return screen->geometry().intersects(frame);
    });
    if (seen || screens.isEmpty()) return frame;
    const QRect area =
        NearestScreen(frame, [](const QScreen* s) { return s->geometry(); })->availableGeometry();
    QRect moved = frame;
    moved.moveLeft(std::clamp(frame.left(), area.left(),
                              std::max(area.left(), area.right() - frame.width() + 1)));
    moved.moveTop(std::clamp(frame.top(), area.top(),
                             std::max(area.top(), area.bottom() - frame.height() + 1)));
    return moved;
}

}  // namespace kelvora::qt
