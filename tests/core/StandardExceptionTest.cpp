// A standard C++ exception (out of memory, a library's own error) meets the
// handlers as the run-time error it stands for, instead of ending the program.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "Fakes.h"
#include "core/App.h"
#include "core/Messages.h"
#include "core/UncaughtError.h"

namespace kelvora::test {
namespace {

struct Thrown {
    const char* name;
    std::function<void()> raise;
    int number;
    std::string description;
};

struct LastMessage : core::MessageBox {
    void Show(const std::string& text, int, const std::string&) override { shown = text; }
    std::string shown;
};

TEST(StandardException, MeetsEveryHandlerAsItsRunTimeError) {
    const Thrown thrown[] = {
        {"OutOfMemory", [] { throw std::bad_alloc(); }, 7, "メモリが不足しています。"},
        {"LibraryError", [] { throw std::out_of_range("substr"); }, 5,
         "プロシージャの呼び出し、または引数が不正です。"},
        {"OwnError", [] { core::RaiseError(core::kFileNotFound); }, 53, "ファイルが見つかりません。"},
    };
    for (const Thrown& error : thrown) {
        SCOPED_TRACE(error.name);
        LastMessage box;
        bool ended = false;
        core::RaiseEvent(error.raise, box, [&] { ended = true; });
        EXPECT_EQ(box.shown, core::UncaughtErrorText(error.number, error.description));
        EXPECT_TRUE(ended);

        // Form_Load: the failure caption and the description; the window opens.
        const TempFolder folder;
        core::App().Path = Utf8(folder.Path());
        FakeFrontEnd ui;
        ui.txtMM.onFocus = error.raise;
        ASSERT_NO_THROW(ui.Load());
        EXPECT_EQ(ui.caption, core::messages::kLoadFailedCaption);
        EXPECT_EQ(ui.messages, " [0 Kelvora: " + error.description + "]");

        // Command1_Click: the failing focus step after the field's message
        // ends the click silently.
        ui.messages.clear();
        ui.Type("1000", "0");
        ASSERT_NO_THROW(ui.Click());
        EXPECT_EQ(ui.messages, " [64 Kelvora: 分の設定は1～999です。]");

        // ShowRemainTime: the tick still goes on to the alarm.
        ui.txtMM.onFocus = nullptr;
        ui.Type("0", "1");
        ui.Click();
        ui.pending = error.raise;
        ASSERT_NO_THROW(ui.Tick());
        EXPECT_TRUE(ui.unloaded) << "the start click and its tick ran to the end";
    }
}

}  // namespace
}  // namespace kelvora::test
