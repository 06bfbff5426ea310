#include "platform/AtomicReplace.h"

#include "platform/FileWait.h"
#include "platform/windows/Utf16.h"

namespace kelvora::platform {

namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Attributes that describe the file rather than its state; the new file takes
// them over.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Antivirus, the search indexer and sync clients open a file for a moment
// without delete sharing, and the file cannot be replaced while they hold it.
// Anything else that refuses the rename refuses it for good.
constexpr std::chrono::milliseconds kHolderLetsGo{500};

bool HeldForAMoment(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

}  // namespace

FileReplacement::FileReplacement(const std::string& target)
    : target_(target), temporary_(TemporaryFor(target)) {
    // A path without a folder (a data folder that could not be made leaves the
    // path empty) would put the temporary file in the current folder, where a
    // user's own file of that name would be overwritten and deleted.
    if (target_.find_first_of("\\/") == std::string::npos) return;
    // MoveFileExW would replace a read-only file (Wine's does), so the
    // attribute is checked here.
    const DWORD old = ::GetFileAttributesW(Utf8ToWide(target_).c_str());
    if (old == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return;
    } else if ((old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return;
    }
    // Shared with no one: a second instance saving at the same moment is
    // refused rather than writing into the same temporary file.
    const std::wstring temporary = Utf8ToWide(temporary_);
    const auto create = [&temporary] {
        return ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE file = create();
    // A save cut short leaves the temporary file with the target's hidden or
    // system attribute, which CREATE_ALWAYS refuses to overwrite without
    // them: every later save would fail.
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED &&
        ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        file = create();
    }
    if (file == INVALID_HANDLE_VALUE) return;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (old != INVALID_FILE_ATTRIBUTES && (old & kKeptAttributes) != 0) {
        FILE_BASIC_INFO info{};
        info.FileAttributes = old & kKeptAttributes;
        ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info);
    }
}

FileReplacement::~FileReplacement() { Discard(); }

void FileReplacement::Discard() {
    if (!IsOpen()) return;
    ::CloseHandle(Handle(handle_));
    handle_ = kClosed;
    ::DeleteFileW(Utf8ToWide(temporary_).c_str());
}

bool FileReplacement::Write(std::string_view bytes) {
    while (IsOpen() && !failed_ && !bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD put = 0;
        if (!::WriteFile(Handle(handle_), bytes.data(), chunk, &put, nullptr) || put == 0) {
            failed_ = true;
        }
        bytes.remove_prefix(put);
    }
    return IsOpen() && !failed_;
}

bool FileReplacement::Commit() {
    // The data must be on disk before the name points at it; otherwise a power
    // loss right after the rename could leave an empty file under the old name.
    if (!IsOpen() || failed_ || !::FlushFileBuffers(Handle(handle_))) {
        Discard();
        return false;
    }
    ::CloseHandle(Handle(handle_));
    handle_ = kClosed;
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on disk. A folder
    // is never replaced by a file.
    const std::wstring temporary = Utf8ToWide(temporary_), target = Utf8ToWide(target_);
    FileWait wait(kHolderLetsGo);
    while (!::MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (!HeldForAMoment(::GetLastError()) || !wait.Step()) {
            ::DeleteFileW(temporary.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace kelvora::platform
