#include "core/ModuleIniFileInOut.h"

#include <array>

#include "core/ModuleWin32API.h"

namespace kelvora::core {

std::string ReadIniString(const std::string& filePath, const std::string& section,
                          const std::string& key, const std::string& defaultValue) {
    std::array<char, 256> buffer{};
    const std::uint32_t count =
        win32api::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                           buffer.data(), buffer.size(), filePath.c_str());
    return std::string(buffer.data(), std::min<std::size_t>(count, buffer.size() - 1));
}

bool WriteIniString(const std::string& filePath, const std::string& section,
                    const std::string& key, const std::string& value) {
    return win32api::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                filePath.c_str()) != 0;
}

}  // namespace kelvora::core
