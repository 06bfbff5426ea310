#include "core/FileNumbers.h"

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "core/FileSystem.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "platform/AtomicReplace.h"
#include "platform/FileText.h"
#include "platform/Files.h"

namespace kelvora::core {
namespace {

constexpr int kHighestFileNumber = 255;

// Input is read a block at a time; output is gathered in a replacement that
// takes the file's place at the close.
struct OpenFile {
    std::FILE* input = nullptr;
    std::vector<char> block;
    std::size_t next = 0;
    std::size_t end = 0;
    std::unique_ptr<platform::FileReplacement> output;

    ~OpenFile() {
        if (input != nullptr) std::fclose(input);
    }
    // The next byte, or EOF; `advance` false only peeks.
    int Byte(bool advance) {
        if (next == end) {
            end = std::fread(block.data(), 1, block.size(), input);
            next = 0;
            if (end == 0) return EOF;
        }
        const int byte = static_cast<unsigned char>(block[next]);
        if (advance) ++next;
        return byte;
    }
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

platform::PathKind CheckFolderOf(const std::string& target) {
    const std::string folder = platform::FolderOf(target);
    if (!folder.empty() && platform::KindOf(folder) != platform::PathKind::Folder) {
        RaiseError(kPathNotFound);
    }
    const platform::PathKind kind = platform::KindOf(target);
    if (kind == platform::PathKind::Folder) RaiseError(kPathFileAccessError);
    return kind;
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
    if (CheckFolderOf(path) == platform::PathKind::Missing) RaiseError(kFileNotFound);
    auto file = std::make_unique<OpenFile>();
    file->input = platform::OpenFileToRead(path);
    if (file->input == nullptr) RaiseError(kPathFileAccessError);
    file->block.resize(65536);
    Table()[fileNumber] = std::move(file);
}

void OpenForOutput(int fileNumber, const std::string& path) {
    CheckNumberFree(fileNumber);
    CheckFolderOf(path);
    auto file = std::make_unique<OpenFile>();
    file->output = std::make_unique<platform::FileReplacement>(path);
    if (!file->output->IsOpen()) RaiseError(kPermissionDenied);
    Table()[fileNumber] = std::move(file);
}

std::string LineInput(int fileNumber, std::size_t keepBytes) {
    OpenFile& file = Lookup(fileNumber);
    if (file.input == nullptr) RaiseError(kBadFileNameOrNumber);
    if (file.Byte(false) == EOF) RaiseError(kInputPastEndOfFile);
    std::string line;
    for (int c = file.Byte(true); c != EOF; c = file.Byte(true)) {
        if (c == '\n') break;
        if (c == '\r') {
            if (file.Byte(false) == '\n') file.Byte(true);
            break;
        }
        if (line.size() < keepBytes) line.push_back(static_cast<char>(c));
    }
    return platform::FileTextToUtf8(line);
}

void WriteRecord(int fileNumber, std::initializer_list<std::int32_t> values) {
    OpenFile& file = Lookup(fileNumber);
    if (file.output == nullptr) RaiseError(kBadFileNameOrNumber);
    std::string record;
    for (const std::int32_t value : values) {
        if (!record.empty()) record += ',';
        record += DecimalText(value);
    }
    record += "\r\n";
    if (!file.output->Write(record)) RaiseError(kPermissionDenied);
}

void Close(int fileNumber) {
    const auto found = Table().find(fileNumber);
    if (found == Table().end()) return;
    const std::unique_ptr<OpenFile> file = std::move(found->second);
    Table().erase(found);
    if (file->output != nullptr && !file->output->Commit()) RaiseError(kPermissionDenied);
}

}  // namespace kelvora::core
