#pragma once
#include <string>

namespace kelvora::core {

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
