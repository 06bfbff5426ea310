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

// While the user holds a menu open or drags the window, Windows runs a loop of
// its own that waits for the keys and mouse buttons that end it; a timer still
// ticks inside that loop. Input is then left in the queue, real or posted.
bool InModalInputLoop() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_INMOVESIZE)) != 0;
}

// Every message but the keyboard's and the mouse's, client and non-client
// (from WM_NCMOUSEMOVE, to WM_UNICHAR, to WM_MOUSEHWHEEL, and the hover and
// leave messages), in ascending ranges.
struct MessageRange {
    UINT first;
    UINT last;
};
constexpr MessageRange kAllButInput[] = {
    {0, WM_NCMOUSEMOVE - 1},
    {WM_NCXBUTTONDBLCLK + 1, WM_KEYFIRST - 1},
    {WM_UNICHAR + 1, WM_MOUSEFIRST - 1},
    {WM_MOUSEHWHEEL + 1, WM_NCMOUSEHOVER - 1},
    {WM_MOUSELEAVE + 1, 0xFFFFFFFF},
};

bool PeekPending(MSG& message) {
    if (!InModalInputLoop()) return ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
    for (const MessageRange& range : kAllButInput) {
        if (::PeekMessageW(&message, nullptr, range.first, range.last, PM_REMOVE)) return true;
    }
    return false;
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
    while (PeekPending(message)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Deliver(filter, message);
    }
}

}  // namespace kelvora::win32
