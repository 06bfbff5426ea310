#pragma once
#include <filesystem>
#include <string>

namespace kelvora::core {

// The program keeps paths as UTF-8 text and hands them to the system through
// the platform layer. These two convert for code that holds std::filesystem
// paths; the program itself does not use them.
inline std::filesystem::path ToPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The character that joins a folder and a name on this system.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr int kAttributeNormal = 0;
inline constexpr int kAttributeDirectory = 16;

// Existence test: the name of what `path` names, or empty text when nothing
// matches. Without kAttributeDirectory only ordinary files match; with it,
// folders match too. Pipes, devices and sockets never match.
std::string Dir(const std::string& path, int attributes = kAttributeNormal);

// Creates one folder. Raises 76 when its parent is missing and 75 when it
// cannot be created for any other reason.
void MkDir(const std::string& path);

}  // namespace kelvora::core
