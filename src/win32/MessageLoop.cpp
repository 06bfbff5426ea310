#include "win32/MessageLoop.h"

namespace kelvora::win32 {

namespace {

// A message box or other dialog open over the form runs its own loop, but a
// tick that lets pending events run takes the dialog's keys out of the queue
// here; the dialog's own handling turns Enter and Escape into its buttons.
bool DialogTakes(MSG& message) {
    if (message.hwnd == nullptr) return false;
    const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    constexpr ULONG_PTR kDialogClassAtom = 0x8002;  // WC_DIALOG, "#32770"
    return root != nullptr && ::GetClassLongPtrW(root, GCW_ATOM) == kDialogClassAtom &&
           ::IsDialogMessageW(root, &message) != 0;
}

void Deliver(MessageFilter& filter, MSG& message) {
    if (filter.PreTranslate(message) || DialogTakes(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop(MessageFilter& filter) {
    MSG message{};
    BOOL got = 0;
    while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) Deliver(filter, message);
    // -1: the loop itself failed (an invalid window or message pointer), and
    // the message holds no exit code.
    return got < 0 ? kMessageLoopFailed : static_cast<int>(message.wParam);
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
