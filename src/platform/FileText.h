#pragma once
#include <string>
#include <string_view>

namespace kelvora::platform {

// Text read from a data file, as UTF-8. On Windows the files are in the ANSI
// code page; elsewhere they are UTF-8. Bytes that do not decode become U+FFFD,
// so nothing downstream ever sees malformed text.
std::string FileTextToUtf8(std::string_view bytes);

}  // namespace kelvora::platform
