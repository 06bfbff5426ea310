// The clock the countdown follows, read against the standard library's steady
// clock: both stand still only while the machine sleeps, which no test does.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/SystemClock.h"

namespace kelvora::platform::test {
namespace {

TEST(SystemClock, ReadsNanosecondsThatKeepPaceWithTheTimeThatPasses) {
    using namespace std::chrono;
    const SystemClock clock;
    const auto steadyStart = steady_clock::now();
    const std::int64_t start = clock.Now();
    std::this_thread::sleep_for(200ms);
    const std::int64_t passed = clock.Now() - start;
    const auto steadyPassed = duration_cast<nanoseconds>(steady_clock::now() - steadyStart);
    // Its readings may lag by up to one of the steps it advances in.
    const std::int64_t step = clock.TickMarginMilliseconds() * 1'000'000LL;
    EXPECT_GE(passed, 200'000'000 - step);
    EXPECT_LE(passed, steadyPassed.count() + step);
}

}  // namespace
}  // namespace kelvora::platform::test
