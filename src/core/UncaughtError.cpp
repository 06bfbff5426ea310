#include "core/UncaughtError.h"

#include "core/App.h"
#include "core/RuntimeError.h"

namespace kelvora::core {

std::string UncaughtErrorText(int number, const std::string& description) {
    return "実行時エラー '" + std::to_string(number) + "':\n\n" + description;
}

void RaiseEvent(const std::function<void()>& handler, MessageBox& messageBox,
                const std::function<void()>& endProgram) {
    std::string report;
    try {
        handler();
        return;
    } catch (const RuntimeError& error) {
        report = UncaughtErrorText(error.Number(), error.Description());
    } catch (const std::exception& error) {
        // Anything else that escapes (out of memory, a library's own error) ends
        // the program the same way rather than terminating without a word.
        report = UncaughtErrorText(0, error.what());
    }
    messageBox.Show(report, kCritical, App().Title);
    endProgram();
}

}  // namespace kelvora::core
