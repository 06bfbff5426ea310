#include "qt/CaretBlink.h"

#include <QApplication>
#include <QEvent>

namespace kelvora::qt {

CaretBlink::CaretBlink(std::chrono::milliseconds idle)
    : flashTime_(QApplication::cursorFlashTime()) {
    idle_.setSingleShot(true);
    idle_.setInterval(idle);
    connect(&idle_, &QTimer::timeout, this, &CaretBlink::Rest);
    qApp->installEventFilter(this);
    idle_.start();
}

CaretBlink::~CaretBlink() {
    qApp->removeEventFilter(this);
    if (resting_) QApplication::setCursorFlashTime(flashTime_);
}

bool CaretBlink::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::FocusIn:
        case QEvent::WindowActivate:
            Wake();
            break;
        default:
            break;
    }
    return false;
}

void CaretBlink::Rest() {
    if (resting_) return;
    resting_ = true;
    // A flash time of 0 shows a caret that does not blink.
    QApplication::setCursorFlashTime(0);
}

void CaretBlink::Wake() {
    if (resting_) {
        resting_ = false;
        QApplication::setCursorFlashTime(flashTime_);
    }
    idle_.start();
}

}  // namespace kelvora::qt
