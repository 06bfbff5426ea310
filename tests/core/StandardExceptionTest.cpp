// A standard C++ exception (out of memory, a library's own error) meets the
// handlers as the run-time error it stands for, instead of ending the program.

#include <functional>
#include <new>
#include <stdexcept>

#include "CoreFixture.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "core/UncaughtError.h"

namespace kelvora::test {
namespace {

struct Thrown { const char* name; std::function<void()> raise; int number; const char* description; };

const Thrown kThrown[] = {
    {"OutOfMemory", [] { throw std::bad_alloc(); }, 7, "メモリが不足しています。"},
    {"LibraryError", [] { throw std::out_of_range("substr"); }, 5,
     "プロシージャの呼び出し、または引数が不正です。"},
    {"OwnError", [] { core::RaiseError(core::kFileNotFound); }, 53, "ファイルが見つかりません。"},
};

using StandardException = CoreFixture;

TEST_F(StandardException, MeetsEveryHandlerAsItsRunTimeError) {
    for (const Thrown& thrown : kThrown) {
        SCOPED_TRACE(thrown.name);
        FakeMessageBox box;
        bool ended = false;
        core::RaiseEvent(thrown.raise, box, [&] { ended = true; });
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, core::UncaughtErrorText(thrown.number, thrown.description));
        EXPECT_TRUE(ended);

        // Form_Load: the failure caption and the description, the window opens.
        FakeFrontEnd ui;
        ui.txtMM.gotFocus = thrown.raise;
        ASSERT_NO_THROW(ui.Load());
        EXPECT_EQ(ui.form.caption, core::messages::kLoadFailedCaption);
        ASSERT_EQ(ui.messageBox.shown.size(), 1u);
        EXPECT_EQ(ui.messageBox.shown[0].text, thrown.description);

        // Command1_Click: the failing focus step ends the click silently.
        ui.messageBox.shown.clear();
        ui.focus.clear();
        ui.Type("1000", "0");
        ASSERT_NO_THROW(ui.Click());
        EXPECT_EQ(ui.messageBox.shown.size(), 1u) << "the field's own message only";

        // ShowRemainTime: the tick still goes on to the alarm.
        ui.Type("0", "1");
        ui.Click();
        ui.events.pending = thrown.raise;
        ASSERT_NO_THROW(ui.Tick());
        EXPECT_TRUE(ui.form.unloaded) << "the start click and its tick ran to the end";
    }
}

}  // namespace
}  // namespace kelvora::test
