#include "core/Text.h"

#include "core/RuntimeError.h"

namespace kelvora::core {

std::string Replace(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(what, start)) != std::string_view::npos;
         start = found + what.size()) {
        result.append(text.substr(start, found - start)).append(with);
    }
    result.append(text.substr(start));
    return result;
}

std::vector<std::string> Split(std::string_view text, char delimiter) {
    std::vector<std::string> list;
    if (text.empty()) return list;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(delimiter, start)) != std::string_view::npos;
         start = found + 1) {
        list.emplace_back(text.substr(start, found - start));
    }
    list.emplace_back(text.substr(start));
    return list;
}

const std::string& ElementAt(const std::vector<std::string>& list, std::size_t index) {
    if (index >= list.size()) RaiseError(kSubscriptOutOfRange);
    return list[index];
}

int CharacterCount(std::string_view utf8) {
    int count = 0;
    for (const char c : utf8) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace kelvora::core
