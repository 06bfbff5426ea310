#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelvora::win32::test {

// A fresh folder under the system's temporary folder, removed when the test
// ends; `name` may hold any characters.
class TempFolder {
  public:
    explicit TempFolder(const std::u8string& name = u8"kelvora-win32");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string Utf8(const std::filesystem::path& path);
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// A folder the test run names in an environment variable (a Windows path).
std::filesystem::path FolderFromEnvironment(const char* variable);

}  // namespace kelvora::win32::test
