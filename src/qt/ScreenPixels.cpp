#include "qt/ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora::qt {
namespace {

// A rectangle with its right and bottom edges just outside it, in 64 bits.
struct Area {
    qint64 left, top, right, bottom;
};

Area AreaOf(const QRect& rect) {
    return {rect.x(), rect.y(), qint64(rect.x()) + rect.width(), qint64(rect.y()) + rect.height()};
}

Area InScreenPixels(const QScreen* screen) {
    const QRect logical = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    return AreaOf(QRect(logical.topLeft(),
                        QSize(qRound(logical.width() * scale), qRound(logical.height() * scale))));
}

Area Logical(const QScreen* screen) { return AreaOf(screen->geometry()); }

bool Overlap(const Area& a, const Area& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// How far apart two areas lie, 0 when they meet. The sum of both axes' gaps
// stays far inside 64 bits for any 32-bit coordinates.
qint64 Distance(const Area& a, const Area& b) {
    const qint64 dx = std::max({qint64(0), a.left - b.right, b.left - a.right});
    const qint64 dy = std::max({qint64(0), a.top - b.bottom, b.top - a.bottom});
    return dx + dy;
}

// The screen that holds the area, or the nearest one; null without screens.
QScreen* NearestScreen(const Area& area, Area (*screenArea)(const QScreen*)) {
    QScreen* nearest = nullptr;
    qint64 best = std::numeric_limits<qint64>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const qint64 distance = Distance(screenArea(screen), area);
        if (distance < best) {
            best = distance;
            nearest = screen;
        }
    }
    return nearest;
}

// A screen-pixel point in the logical pixels of the screen nearest to it.
QPoint ToLogical(qint64 x, qint64 y, const QScreen* screen) {
    const QPoint origin = screen->geometry().topLeft();
    const qreal scale = screen->devicePixelRatio();
    const auto convert = [scale](qint64 value, int from) {
        const double logical = from + std::round(double(value - from) / scale);
        return int(std::clamp(logical, double(std::numeric_limits<int>::min()),
                              double(std::numeric_limits<int>::max())));
    };
    return QPoint(convert(x, origin.x()), convert(y, origin.y()));
}

}  // namespace

QRect ToScreenPixels(const QRect& logical) {
    const QScreen* screen = NearestScreen(AreaOf(QRect(logical.topLeft(), QSize(1, 1))), Logical);
    if (screen == nullptr) return logical;
    const QPoint origin = screen->geometry().topLeft();
    const qreal scale = screen->devicePixelRatio();
    const QPoint topLeft = origin + (logical.topLeft() - origin) * scale;
    return QRect(topLeft, QSize(qRound(logical.width() * scale), qRound(logical.height() * scale)));
}

QPoint FromScreenPixels(const QPoint& screenPixels) {
    const QScreen* screen =
        NearestScreen(Area{screenPixels.x(), screenPixels.y(), screenPixels.x() + qint64(1),
                           screenPixels.y() + qint64(1)},
                      InScreenPixels);
    if (screen == nullptr) return screenPixels;
    return ToLogical(screenPixels.x(), screenPixels.y(), screen);
}

QPoint FramePosition(std::int32_t left, std::int32_t top, QSize frame) {
    const QScreen* home =
        NearestScreen(Area{left, top, left + qint64(1), top + qint64(1)}, InScreenPixels);
    if (home == nullptr) return QPoint(left, top);
    const QPoint wanted = ToLogical(left, top, home);
    const Area placed{wanted.x(), wanted.y(), qint64(wanted.x()) + frame.width(),
                      qint64(wanted.y()) + frame.height()};
    const auto screens = QGuiApplication::screens();
    if (std::any_of(screens.begin(), screens.end(),
                    [&](const QScreen* screen) { return Overlap(Logical(screen), placed); })) {
        return wanted;
    }
    const Area work = AreaOf(NearestScreen(placed, Logical)->availableGeometry());
    const auto onto = [](qint64 value, qint64 low, qint64 high, int size) {
        return int(std::clamp(value, low, std::max(low, high - size)));
    };
    return QPoint(onto(wanted.x(), work.left, work.right, frame.width()),
                  onto(wanted.y(), work.top, work.bottom, frame.height()));
}

}  // namespace kelvora::qt
