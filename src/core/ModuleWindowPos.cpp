#include "core/ModuleWindowPos.h"

#include <cstdint>

#include "core/App.h"
#include "core/FileSystem.h"
#include "core/ModuleIniFileInOut.h"
#include "core/Numbers.h"

namespace kelvora::core {
namespace {

constexpr const char* kSection = "WinPos";

win32api::WINDOWPLACEMENT CurrentPlacement(win32api::HWND hWnd) {
    win32api::WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    win32api::GetWindowPlacement(hWnd, &placement);
    return placement;
}

// The members kept in the file, in the order they are written and read.
template <typename Visit>
void ForEachStoredMember(win32api::WINDOWPLACEMENT& placement, Visit visit) {
    visit("Left", placement.rcNormalPosition.left);
    visit("Right", placement.rcNormalPosition.right);
    visit("Top", placement.rcNormalPosition.top);
    visit("Bottom", placement.rcNormalPosition.bottom);
    // showCmd is unsigned in the record but stored and read as a signed number.
    std::int32_t showCmd = static_cast<std::int32_t>(placement.showCmd);
    visit("showCmd", showCmd);
    placement.showCmd = static_cast<std::uint32_t>(showCmd);
}

}  // namespace

std::string GetIniFilePath() {
    std::string path = App().Path;
    if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
    return path + "Data" + kPathSeparator + App().EXEName + ".ini";
}

void SaveWindowPos(const win32api::HWND& hWnd) {
    const std::string path = GetIniFilePath();
    win32api::WINDOWPLACEMENT placement = CurrentPlacement(hWnd);
    ForEachStoredMember(placement, [&](const char* key, std::int32_t& member) {
        WriteIniString(path, kSection, key, DecimalText(member));
    });
}

void LoadWindowPos(const win32api::HWND& hWnd) {
    const std::string path = GetIniFilePath();
    win32api::WINDOWPLACEMENT placement = CurrentPlacement(hWnd);
    if (!Dir(path).empty()) {
        ForEachStoredMember(placement, [&](const char* key, std::int32_t& member) {
            member = CLng(ReadIniString(path, kSection, key, DecimalText(member)));
        });
    }
    win32api::SetWindowPlacement(hWnd, &placement);
}

}  // namespace kelvora::core
