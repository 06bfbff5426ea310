#include "win32/MessageLoop.h"

namespace kelvora::win32 {

namespace {

void Deliver(MessageFilter& filter, MSG& message) {
    if (filter.PreTranslate(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop(MessageFilter& filter) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) Deliver(filter, message);
    return static_cast<int>(message.wParam);
}

void DispatchPending(MessageFilter& filter) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Deliver(filter, message);
    }
}

}  // namespace kelvora::win32
