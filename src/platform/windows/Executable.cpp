#include "platform/Executable.h"

#include "platform/windows/Utf16.h"

namespace kelvora::platform {

namespace {

// The full path of Kelvora.exe: the buffer grows until the name fits rather
// than cutting it. The program does not declare itself long-path aware, so
// its files must still lie within MAX_PATH.
std::wstring ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::size_t LastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

}  // namespace

std::string ExecutableFolder() {
    const std::wstring path = ExecutablePath();
    const std::size_t separator = LastSeparator(path);
    if (separator == std::wstring::npos) return {};
    std::wstring folder = path.substr(0, separator);
    // "C:" alone would mean the current folder of drive C, not its root.
    if (folder.empty() || folder.back() == L':') folder += L'\\';
    return WideToUtf8(folder);
}

std::string ExecutableBaseName() {
    const std::wstring path = ExecutablePath();
    const std::size_t separator = LastSeparator(path);
    std::wstring name = separator == std::wstring::npos ? path : path.substr(separator + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot != 0) name.resize(dot);
    return WideToUtf8(name);
}

}  // namespace kelvora::platform
