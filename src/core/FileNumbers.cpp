#include "core/FileNumbers.h"

#include <fstream>
#include <map>
#include <memory>
#include <system_error>

#include "core/FileSystem.h"
#include "core/RuntimeError.h"
#include "platform/AtomicReplace.h"
#include "platform/FileText.h"

namespace kelvora::core {
namespace {

constexpr int kHighestFileNumber = 255;

struct OpenFile {
    std::filesystem::path target;
    std::filesystem::path temporary;  // empty for input
    std::fstream stream;
};

std::map<int, std::unique_ptr<OpenFile>>& Table() {
    static std::map<int, std::unique_ptr<OpenFile>> table;
    return table;
}

OpenFile& Lookup(int fileNumber) {
    const auto found = Table().find(fileNumber);
    if (found == Table().end()) RaiseError(kBadFileNameOrNumber);
    return *found->second;
}

void CheckNumberFree(int fileNumber) {
    if (fileNumber < 1 || fileNumber > kHighestFileNumber) RaiseError(kBadFileNameOrNumber);
    if (Table().count(fileNumber) != 0) RaiseError(kFileAlreadyOpen);
}

void CheckFolderOf(const std::filesystem::path& target) {
    std::error_code error;
    const auto folder = target.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) RaiseError(kPathNotFound);
    if (std::filesystem::is_directory(target, error)) RaiseError(kPathFileAccessError);
}

}  // namespace

int FreeFile() {
    for (int number = 1; number <= kHighestFileNumber; ++number) {
        if (Table().count(number) == 0) return number;
    }
    RaiseError(kBadFileNameOrNumber);
}

void OpenForInput(int fileNumber, const std::string& path) {
    CheckNumberFree(fileNumber);
    auto file = std::make_unique<OpenFile>();
    file->target = ToPath(path);
    CheckFolderOf(file->target);
    std::error_code error;
    if (!std::filesystem::exists(file->target, error)) RaiseError(kFileNotFound);
    file->stream.open(file->target, std::ios::in | std::ios::binary);
    if (!file->stream.is_open()) RaiseError(kPathFileAccessError);
    Table()[fileNumber] = std::move(file);
}

void OpenForOutput(int fileNumber, const std::string& path) {
    CheckNumberFree(fileNumber);
    auto file = std::make_unique<OpenFile>();
    file->target = ToPath(path);
    CheckFolderOf(file->target);
    file->temporary = platform::TemporarySibling(file->target);
    file->stream.open(file->temporary, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!file->stream.is_open()) RaiseError(kPermissionDenied);
    Table()[fileNumber] = std::move(file);
}

std::string LineInput(int fileNumber, std::size_t keepBytes) {
    OpenFile& file = Lookup(fileNumber);
    if (!file.temporary.empty()) RaiseError(kBadFileNameOrNumber);
    // The stream buffer directly: a byte at a time through the stream itself
    // costs a sentry per byte, which a line of many megabytes makes felt.
    std::streambuf& in = *file.stream.rdbuf();
    using Traits = std::char_traits<char>;
    if (in.sgetc() == Traits::eof()) RaiseError(kInputPastEndOfFile);
    std::string line;
    for (int c = in.sbumpc(); c != Traits::eof(); c = in.sbumpc()) {
        if (c == '\n') break;
        if (c == '\r') {
            if (in.sgetc() == '\n') in.sbumpc();
            break;
        }
        if (line.size() < keepBytes) line.push_back(Traits::to_char_type(c));
    }
    return platform::FileTextToUtf8(line);
}

void WriteRecord(int fileNumber, std::initializer_list<std::int32_t> values) {
    OpenFile& file = Lookup(fileNumber);
    if (file.temporary.empty()) RaiseError(kBadFileNameOrNumber);
    std::string record;
    for (const std::int32_t value : values) {
        if (!record.empty()) record += ',';
        record += std::to_string(value);
    }
    record += "\r\n";
    file.stream.write(record.data(), static_cast<std::streamsize>(record.size()));
    if (!file.stream) RaiseError(kPermissionDenied);
}

void Close(int fileNumber) {
    const auto found = Table().find(fileNumber);
    if (found == Table().end()) return;
    const std::unique_ptr<OpenFile> file = std::move(found->second);
    Table().erase(found);
    file->stream.close();
    if (file->temporary.empty()) return;
    const bool written = !file->stream.fail();
    if (!written || !platform::CommitReplacement(file->temporary, file->target)) {
        std::error_code ignored;
        std::filesystem::remove(file->temporary, ignored);
        RaiseError(kPermissionDenied);
    }
}

bool IsOpen(int fileNumber) { return Table().count(fileNumber) != 0; }

}  // namespace kelvora::core
