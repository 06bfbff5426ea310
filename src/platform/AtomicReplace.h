#pragma once
#include <filesystem>

namespace kelvora::platform {

// Makes the fully written file `temporary` take the place of `target` in one
// step, flushed to disk first, so a crash or power loss leaves either the old
// or the new contents. Returns false (and leaves `temporary` removed) on failure.
bool CommitReplacement(const std::filesystem::path& temporary, const std::filesystem::path& target);

// A name for a temporary file beside `target`, unique to this process and call.
std::filesystem::path TemporarySibling(const std::filesystem::path& target);

}  // namespace kelvora::platform
