// The kernel32 profile routines for systems that lack them. The text rules live
// in ProfileText; this file reads the file, fills the caller's buffer the way
// Windows does, and replaces the file atomically on a write.
//
// Where these differ from Windows, knowingly:
// - the file is read afresh on every call; nothing is cached;
// - names compare without regard to ASCII case only, not by the locale;
// - a NULL file name means no file (Windows would use win.ini);
// - a write whose section, key or value holds a line break, or whose key holds
//   '=' or starts with '[' or ';', fails instead of writing a line that would
//   not read back;
// - a file larger than kMaxProfileBytes is neither read (the default comes
//   back) nor written (the write fails and the file stays as it is);
// - a file without write permission counts as read-only even for root, as the
//   read-only attribute does on Windows.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/ModuleWin32API.h"
#include "platform/AtomicReplace.h"
#include "platform/posix/ProfileText.h"
#include "platform/posix/RegularFile.h"

namespace kelvora::win32api {

namespace {

using platform::FileBytes;
using platform::FileState;
using platform::ProfileText;
using platform::ReadRegularFile;
using platform::TrimBlanks;

constexpr std::size_t kMaxProfileBytes = std::size_t{16} << 20;

std::uint32_t CopyValue(std::string_view value, char* buffer, std::uint32_t size) {
    const std::size_t count = std::min<std::size_t>(value.size(), size - 1);
    if (count > 0) std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

// Names one after another, each ended by NUL, the whole ended by one more NUL.
// When they do not fit, Windows cuts the list, ends it with two NULs and
// returns the size less two.
std::uint32_t CopyNames(const std::vector<std::string_view>& names, char* buffer,
                        std::uint32_t size) {
    std::string list;
    for (std::string_view name : names) list.append(name).push_back('\0');
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && size >= 2) buffer[1] = '\0';
        return static_cast<std::uint32_t>(list.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::string_view DefaultText(const char* text) {
    std::string_view result = text == nullptr ? std::string_view("") : std::string_view(text);
    while (!result.empty() && (result.back() == ' ' || result.back() == '\t')) {
        result.remove_suffix(1);
    }
    return result;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

bool ReadsBack(std::string_view section, const char* key, const char* value) {
    if (HasLineBreak(section)) return false;
    if (key != nullptr) {
        const std::string_view name = TrimBlanks(key);
        if (HasLineBreak(name) || name.find('=') != name.npos) return false;
        if (!name.empty() && (name.front() == '[' || name.front() == ';')) return false;
    }
    return value == nullptr || !HasLineBreak(value);
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                       const char* lpDefault, char* lpReturnedString,
                                       std::uint32_t nSize, const char* lpFileName) {
    if (lpReturnedString == nullptr || nSize == 0) return 0;

    FileBytes file;
    if (lpFileName != nullptr) file = ReadRegularFile(lpFileName, kMaxProfileBytes);
    const ProfileText text(file.bytes);

    if (lpAppName == nullptr) return CopyNames(text.SectionNames(), lpReturnedString, nSize);
    const std::string_view section = TrimBlanks(lpAppName);
    if (lpKeyName == nullptr) return CopyNames(text.KeyNames(section), lpReturnedString, nSize);

    const auto value = text.Value(section, TrimBlanks(lpKeyName));
    return CopyValue(value ? *value : DefaultText(lpDefault), lpReturnedString, nSize);
}

std::int32_t WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                        const char* lpString, const char* lpFileName) {
    if (lpAppName == nullptr || lpFileName == nullptr) return 0;
    const std::string_view section = TrimBlanks(lpAppName);
    if (!ReadsBack(section, lpKeyName, lpString)) return 0;

    const FileBytes file = ReadRegularFile(lpFileName, kMaxProfileBytes);
    if (file.state == FileState::Unusable) return 0;

    const ProfileText text(file.bytes);
    std::string updated;
    if (lpKeyName == nullptr) {
        updated = text.WithoutSection(section);
    } else if (lpString == nullptr) {
        updated = text.WithoutKey(section, TrimBlanks(lpKeyName));
    } else {
        updated = text.WithValue(section, TrimBlanks(lpKeyName), lpString);
    }

    // Deleting from a missing file succeeds without touching the disk.
    const bool deleting = lpKeyName == nullptr || lpString == nullptr;
    if (file.state == FileState::Missing && deleting) return 1;
    // The setting file's own replacement: a read-only file is refused (even
    // when nothing would change), a link is written through, the permissions stay.
    platform::FileReplacement replacement(lpFileName);
    if (!replacement.IsOpen()) return 0;
    if (file.state == FileState::Read && updated == file.bytes) return 1;
    return replacement.Write(updated) && replacement.Commit() ? 1 : 0;
}

}  // namespace kelvora::win32api
