#include "platform/AtomicReplace.h"

#include <atomic>
#include <string>

#include "platform/windows/Utf16.h"

namespace kelvora::platform {

namespace {

// The data must be on disk before the name points at it; otherwise a power
// loss right after the rename could leave an empty file under the old name.
bool Flush(const std::filesystem::path& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = ::FlushFileBuffers(file) != 0;
    return (::CloseHandle(file) != 0) && flushed;
}

}  // namespace

std::filesystem::path TemporarySibling(const std::filesystem::path& target) {
    static std::atomic<unsigned long> counter{0};
    std::wstring name = target.filename().wstring();
    name += L'.';
    name += std::to_wstring(::GetCurrentProcessId());
    name += L'-';
    name += std::to_wstring(++counter);
    name += L".tmp";
    return target.parent_path() / name;
}

bool CommitReplacement(const std::filesystem::path& temporary,
                       const std::filesystem::path& target) {
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on disk, as the
    // folder sync does elsewhere. A folder is never replaced by a file.
    if (!Flush(temporary) || !::MoveFileExW(temporary.c_str(), target.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace kelvora::platform
