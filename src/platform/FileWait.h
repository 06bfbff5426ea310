#pragma once
#include <chrono>

namespace kelvora::platform {

// Backup tools, antivirus, search indexers, sync clients and file servers
// hold the data files for a moment now and then. Kelvora waits for them to
// let go, in short steps, but never long enough to freeze the window: one
// event waits about a second at most, however many files it opens. (The
// placement alone is read or written five values at a time.)
//
// The outermost scope gives its event that second; scopes inside it (an
// event run while a message box is open or while a tick lets pending events
// run) share what is left. Only time spent waiting counts, so a message box
// left open for minutes takes nothing from it. Everything runs on the one
// user-interface thread.
class FileWaitScope {
  public:
    FileWaitScope();
    ~FileWaitScope();
    FileWaitScope(const FileWaitScope&) = delete;
    FileWaitScope& operator=(const FileWaitScope&) = delete;
};

// The wait of one file operation: within the event's second, and within
// `limit` of its own. Outside any event it has a second of its own.
class FileWait {
  public:
    explicit FileWait(std::chrono::milliseconds limit = std::chrono::seconds(1));
    // Sleeps one short step while the holder lets go; false, at once, when
    // the time is spent.
    bool Step();

  private:
    FileWaitScope event_;
    std::chrono::steady_clock::duration left_;
};

}  // namespace kelvora::platform
