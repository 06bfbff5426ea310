#include "platform/FileWait.h"

#include <algorithm>
#include <thread>

namespace kelvora::platform {

namespace {

using Clock = std::chrono::steady_clock;

// Short enough that the file is read soon after its holder lets go, long
// enough that a file held for the whole second costs a hundred opens at most.
constexpr Clock::duration kStep = std::chrono::milliseconds(10);
constexpr Clock::duration kPerEvent = std::chrono::seconds(1);

int depth = 0;
Clock::duration eventLeft{};

}  // namespace

FileWaitScope::FileWaitScope() {
    if (depth++ == 0) eventLeft = kPerEvent;
}

FileWaitScope::~FileWaitScope() { --depth; }

FileWait::FileWait(std::chrono::milliseconds limit) : left_(limit) {}

bool FileWait::Step() {
    const Clock::duration step = std::min({kStep, left_, eventLeft});
    if (step <= Clock::duration::zero()) return false;
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(step);
    // What the sleep really took: Windows' sleeps run in steps of 15.6 ms.
    const Clock::duration slept = Clock::now() - start;
    left_ -= slept;
    eventLeft -= slept;
    return true;
}

}  // namespace kelvora::platform
