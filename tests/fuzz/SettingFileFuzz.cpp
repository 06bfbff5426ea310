// Any bytes as the setting file, read at start-up by the form's own reader,
// then a start click, which rejects the fields or saves them within the limits.

#include "Fuzz.h"
#include "core/FileNumbers.h"
#include "core/Numbers.h"
#include "core/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    using fuzz::Require;
    const std::filesystem::path setting = fuzz::DataFolder() / "TimerSet.txt";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    test::WriteBytes(setting, bytes);
    test::FakeFrontEnd ui;
    ui.timer.SetFilePaths();
    ui.timer.LoadTimerSet();

    Require(core::FreeFile() == 1 && test::ReadBytes(setting) == bytes,
            "reading leaves no file open and never changes the file");
    const std::string message = ui.messages, reader = " [48 設定ファイル読込み: ";
    Require(message.empty() || message == reader + "ファイルにこれ以上データがありません。]" ||
                message == reader + "インデックスが有効範囲にありません。]",
            "the only failures are an empty file and a missing element");
    for (const std::string& text : {ui.txtMM.text, ui.txtSS.text}) {
        Require(text.find('\0') == std::string::npos && core::CharacterCount(text) <= 32767,
                "a field holds no NUL and no more than an entry field takes");
    }

    ui.Click();
    Require(core::FreeFile() == 1, "no file stays open after the click");
    if (ui.timer.Running == 0) {
        Require(test::ReadBytes(setting) == bytes, "a rejected click saves nothing");
        return 0;
    }
    const std::int32_t minutes = ui.timer.Minutes, seconds = ui.timer.Seconds;
    const std::string saved = std::to_string(minutes) + "," + std::to_string(seconds) + "\r\n";
    Require(ui.messages == message && minutes <= 999 && seconds <= 999 &&
                ui.timer.TotalSeconds >= 1 && ui.timer.TotalSeconds <= 59940 &&
                test::ReadBytes(setting) == saved,
            "an accepted setting is within the limits, says nothing and is saved as it was read");
    return 0;
}
