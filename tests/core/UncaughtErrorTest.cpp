#include <gtest/gtest.h>

#include "FakeFrontEnd.h"
#include "core/RuntimeError.h"
#include "core/UncaughtError.h"

namespace kelvora::core {
namespace {

TEST(UncaughtError, IsReportedWithItsNumberAndEndsTheProgram) {
    test::FakeMessageBox box;
    bool ended = false;
    RaiseEvent([] { RaiseError(kOverflow); }, box, [&] { ended = true; });
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "実行時エラー '6':\n\nオーバーフローしました。");
    EXPECT_EQ(box.shown[0].title, "Kelvora");
    EXPECT_TRUE(ended);

    box.shown.clear();
    ended = false;
    RaiseEvent([] {}, box, [&] { ended = true; });
    EXPECT_TRUE(box.shown.empty());
    EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace kelvora::core
