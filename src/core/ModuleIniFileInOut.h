#pragma once
#include <string>

namespace kelvora::core {

// One value of a profile file; the default when the file, the section or the
// key is missing. At most 255 characters come back.
std::string ReadIniString(const std::string& filePath, const std::string& section,
                          const std::string& key, const std::string& defaultValue);

// True when the value was stored.
bool WriteIniString(const std::string& filePath, const std::string& section,
                    const std::string& key, const std::string& value);

}  // namespace kelvora::core
