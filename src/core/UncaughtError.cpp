#include "core/UncaughtError.h"

#include "core/App.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "platform/FileWait.h"

namespace kelvora::core {

std::string UncaughtErrorText(int number, const std::string& description) {
    return "実行時エラー '" + DecimalText(number) + "':\n\n" + description;
}

void RaiseEvent(const std::function<void()>& handler, MessageBox& messageBox,
                const std::function<void()>& endProgram) {
    // However many files the handler opens, other programs holding them
    // freeze the window for about a second at most.
    const platform::FileWaitScope fileWait;
    std::string report;
    try {
        handler();
        return;
    } catch (const std::exception&) {
        const RuntimeError error = CurrentError();
        report = UncaughtErrorText(error.Number(), error.Description());
    }
    messageBox.Show(report, kCritical, App().Title);
    endProgram();
}

}  // namespace kelvora::core
