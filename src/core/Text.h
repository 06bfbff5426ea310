#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelvora::core {

// Every occurrence of `what` replaced by `with`.
std::string Replace(std::string_view text, std::string_view what, std::string_view with);

// Split at every delimiter, with no limit and no trimming; empty text gives an
// empty list, two delimiters in a row an empty element.
std::vector<std::string> Split(std::string_view text, char delimiter);

// The element at `index`; raises 9 when the list has none there.
const std::string& ElementAt(const std::vector<std::string>& list, std::size_t index);

// The length of UTF-8 text in characters (code points).
int CharacterCount(std::string_view utf8);

}  // namespace kelvora::core
