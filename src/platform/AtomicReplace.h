#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvora::platform {

// Gives a file new contents in one step: the bytes go to a temporary file
// beside it, which is flushed to disk and then renamed over the file, so a
// crash or power loss leaves either the old or the new contents. Both the
// setting file and, on Linux, the profile file are saved this way.
//
// What the user set up stays: a file that is read-only (no write permission,
// or the read-only attribute on Windows) is refused like any file that cannot
// be written; a symbolic link stays a link and the file it points to gets the
// new contents; the new file keeps the old one's permissions. The temporary
// file has a fixed name (the file's name and ".tmp"), so a save cut short
// leaves at most that one file, which the next save overwrites; anything else
// under that name (a pipe, say) is refused, never waited on.
//
// A path without a folder part, an empty one included, is refused before
// anything is touched: it would name a file wherever the program happens to
// be running.
class FileReplacement {
  public:
    // Opens the temporary file; IsOpen tells whether that worked.
    explicit FileReplacement(const std::string& target);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Without a commit the file keeps its old contents and the temporary goes.
    ~FileReplacement();

    bool IsOpen() const { return handle_ != kClosed; }
    bool Write(std::string_view bytes);
    // Puts the new contents in place; false leaves the old ones.
    bool Commit();

    // The temporary file's path, beside the file that is replaced.
    static std::string TemporaryFor(const std::string& target) { return target + ".tmp"; }

  private:
    static constexpr std::intptr_t kClosed = -1;
    void Discard();

    std::string target_;     // a link resolved to the file it points to
    std::string temporary_;
    std::intptr_t handle_ = kClosed;
    bool failed_ = false;
};

// The whole replacement: true when `bytes` are the file's contents now.
inline bool ReplaceFileContents(const std::string& target, std::string_view bytes) {
    FileReplacement replacement(target);
    return replacement.IsOpen() && replacement.Write(bytes) && replacement.Commit();
}

}  // namespace kelvora::platform
