#include "TestFolders.h"

#include <atomic>
#include <fstream>
#include <iterator>

#include "win32/SystemHeaders.h"

namespace kelvora::win32::test {

TempFolder::TempFolder(const std::u8string& name) {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() / name;
    path_ += "-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path FolderFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace kelvora::win32::test
