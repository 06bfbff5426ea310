#pragma once
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "win32/SystemHeaders.h"

namespace kelvora::win32::test {

// A fresh folder under the system's temporary folder, removed when the test
// ends; `name` may hold any characters.
class TempFolder {
  public:
    explicit TempFolder(const std::u8string& name = u8"kelvora-win32") {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() / (name + u8"-");
        path_ += std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A folder the test run names in an environment variable (a Windows path).
inline std::filesystem::path FolderFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace kelvora::win32::test
