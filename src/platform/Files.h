#pragma once
#include <cstdio>
#include <string>

namespace kelvora::platform {

// Paths are UTF-8 text throughout the program. These take them to the system
// in a form that keeps every character: on Windows through the wide-character
// calls, since the narrow ones would read the path in the ANSI code page and
// lose a folder named with anything outside it.

// A plain file opened for reading in binary, as fopen's "rb" does, with a
// UTF-8 path. Anything else of that name gives nullptr at once: opening a
// pipe put in a file's place would wait until something writes to it.
std::FILE* OpenFileToRead(const std::string& path);

enum class PathKind { Missing, File, Folder, Other };

// What the path names, links followed. Other is anything that is neither a
// plain file nor a folder: a pipe, a device, a socket.
PathKind KindOf(const std::string& path);

// Creates one folder; false when it cannot be made or something of that name exists.
bool CreateFolder(const std::string& path);

// The folder part of a path ("" when there is none) and the name after it.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

}  // namespace kelvora::platform
