// An error that leaves a handler, a standard C++ exception (out of memory, a
// library's own error) as well as a run-time error, meets every handler as the
// run-time error it stands for; only one that leaves the event ends the program.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "Fakes.h"
#include "core/App.h"
#include "core/Messages.h"
#include "core/UncaughtError.h"

namespace kelvora::test {
namespace {

TEST(StandardException, MeetsEveryHandlerAsItsRunTimeError) {
    const std::pair<std::function<void()>, std::string> thrown[] = {
        {[] { throw std::bad_alloc(); }, "7':\n\nメモリが不足しています。"},
        {[] { throw std::out_of_range("substr"); },
         "5':\n\nプロシージャの呼び出し、または引数が不正です。"},
        {[] { core::RaiseError(core::kOverflow); }, "6':\n\nオーバーフローしました。"}};
    for (const auto& [raise, error] : thrown) {
        const TempFolder folder;
        core::App().Path = Utf8(folder.Path());
        FakeFrontEnd ui;
        int n = 0;
        core::RaiseEvent([] {}, ui, [&] { ++n; });
        core::RaiseEvent(raise, ui, [&] { ++n; });
        EXPECT_EQ(ui.messages + std::to_string(n), " [16 Kelvora: 実行時エラー '" + error + "]1");

        // Form_Load: the failure caption and the description; the window opens.
        ui.messages.clear();
        ui.txtMM.onFocus = raise;
        ASSERT_NO_THROW(ui.Load());
        EXPECT_EQ(ui.caption, core::messages::kLoadFailedCaption);
        EXPECT_EQ(ui.messages, " [0 Kelvora: " + error.substr(error.find('\n') + 2) + "]");

        // Command1_Click: the failing focus step after the field's message
        // ends the click silently.
        ui.messages.clear(), ui.Type("1000", "0");
        ASSERT_NO_THROW(ui.Click());
        EXPECT_EQ(ui.messages, " [64 Kelvora: 分の設定は1～999です。]");

        // ShowRemainTime: the tick still goes on to the alarm.
        ui.txtMM.onFocus = nullptr, ui.Type("0", "1"), ui.Click();
        ui.pending = raise;
        ASSERT_NO_THROW(ui.Tick());
        EXPECT_TRUE(ui.unloaded) << "the start click and its tick ran to the end";
    }
}

}  // namespace
}  // namespace kelvora::test
