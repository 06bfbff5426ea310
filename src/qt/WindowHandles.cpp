#include "qt/WindowHandles.h"

#include <QPointer>
#include <map>

namespace kelvora::qt {
namespace {

struct Registry {
    std::map<win32api::HWND, QPointer<QWidget>> windows;
    win32api::HWND next = 0x10010;
};

Registry& Windows() {
    static Registry registry;
    return registry;
}

}  // namespace

win32api::HWND RegisterWindow(QWidget* window) {
    Registry& registry = Windows();
    const win32api::HWND handle = registry.next;
    registry.next += 4;
    registry.windows.emplace(handle, window);
    return handle;
}

void UnregisterWindow(win32api::HWND handle) { Windows().windows.erase(handle); }

QWidget* WindowFromHandle(win32api::HWND handle) {
    const auto found = Windows().windows.find(handle);
    return found == Windows().windows.end() ? nullptr : found->second.data();
}

}  // namespace kelvora::qt
