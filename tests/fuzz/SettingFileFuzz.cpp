// Any bytes as the setting file, read at start-up by the form's own reader
// through a fake front end; then a start click, whose saved file must read
// back as the same setting.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "../core/FakeFrontEnd.h"
#include "../core/FakeWindowRoutines.h"
#include "FuzzFolder.h"
#include "core/App.h"
#include "core/FileNumbers.h"
#include "core/FileSystem.h"
#include "core/Numbers.h"
#include "core/Text.h"

namespace kelvora::fuzz {
namespace {

constexpr std::size_t kLongestFieldText = 32767;

const std::filesystem::path& AppFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::create_directories(Folder() / "Data");
        core::App().Path = core::FromPath(Folder());
        core::App().EXEName = "Kelvora";
        // Pictures that the fake button takes, so the click shows them.
        WriteFile(Folder() / "Data" / "button_go.gif", "GIF89a go");
        WriteFile(Folder() / "Data" / "button_stop.gif", "GIF89a stop");
        return Folder();
    }();
    return folder;
}

bool IsOneOf(const std::string& text, std::initializer_list<const char*> choices) {
    for (const char* choice : choices) {
        if (text == choice) return true;
    }
    return false;
}

// The first line as the file's bytes hold it, when it is plain ASCII without
// quotes or NULs; those are the lines whose fields can be told from the bytes
// alone.
bool PlainFirstLine(std::string_view bytes, std::string_view& line) {
    line = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (line.size() > kLongestFieldText) return false;
    for (const char c : line) {
        if (c == '"' || c == '\0' || static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

void CheckFields(const test::FakeFrontEnd& ui) {
    for (const test::FakeTextBox* field : {&ui.txtMM, &ui.txtSS}) {
        const std::string text = field->Text();
        Require(text.find('\0') == std::string::npos, "a field holds no NUL");
        Require(static_cast<std::size_t>(core::CharacterCount(text)) <= kLongestFieldText,
                "a field holds no more than an entry field takes");
    }
}

}  // namespace
}  // namespace kelvora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    using fuzz::Require;
    const std::filesystem::path settingFile = fuzz::AppFolder() / "Data" / "TimerSet.txt";
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::WriteFile(settingFile, bytes);

    test::ResetFakeWindow();
    test::FakeFrontEnd ui;
    ui.timer.SetFilePaths();
    ui.timer.LoadTimerSet();

    Require(core::FreeFile() == 1, "no file stays open after the reader");
    Require(fuzz::ReadFile(settingFile) == bytes, "reading never changes the file");
    Require(ui.messageBox.shown.size() <= 1, "at most one message");
    if (!ui.messageBox.shown.empty()) {
        const test::ShownMessage& shown = ui.messageBox.shown[0];
        Require(shown.title == "設定ファイル読込み" && shown.style == core::kExclamation,
                "the reader's message has its title and icon");
        Require(fuzz::IsOneOf(shown.text, {"ファイルにこれ以上データがありません。",
                                           "インデックスが有効範囲にありません。"}),
                "the only failures are an empty file and a missing element");
    }
    fuzz::CheckFields(ui);

    std::string_view line;
    if (fuzz::PlainFirstLine(bytes, line) && !bytes.empty()) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            Require(ui.messageBox.shown.size() == 1, "a line without a comma is reported");
        } else {
            const std::string_view rest = line.substr(comma + 1);
            Require(ui.txtMM.Text() == core::Format00(line.substr(0, comma)),
                    "minutes are the first element through the pattern");
            Require(ui.txtSS.Text() == core::Format00(rest.substr(0, rest.find(','))),
                    "seconds are the second element through the pattern");
            Require(ui.messageBox.shown.empty(), "two elements read without a message");
        }
    }

    // Whatever was read, a start click either rejects the fields or saves a
    // setting that the next start-up offers again.
    ui.messageBox.shown.clear();
    ui.Click();
    if (ui.timer.Running == 1) {
        const std::int32_t minutes = ui.timer.Minutes;
        const std::int32_t seconds = ui.timer.Seconds;
        Require(minutes <= 999 && seconds <= 999, "accepted fields are at most 999");
        Require(ui.messageBox.shown.empty(), "an accepted click says nothing");
        const std::int64_t total = std::int64_t{minutes} * 60 + seconds;
        Require(total >= 1 && total <= 59940 && total == ui.timer.TotalSeconds,
                "an accepted total is within the limits");
        Require(fuzz::ReadFile(settingFile) ==
                    std::to_string(minutes) + "," + std::to_string(seconds) + "\r\n",
                "the saved setting is the two members");
        test::FakeFrontEnd next;
        next.timer.SetFilePaths();
        next.timer.LoadTimerSet();
        Require(next.messageBox.shown.empty() && next.txtMM.Text() == core::Format00(minutes) &&
                    next.txtSS.Text() == core::Format00(seconds),
                "the saved setting reads back");
    } else {
        // Only a total beyond 32 bits (say -2147483648 minutes) ends the
        // click without a word, as every arithmetic overflow in a click does.
        const std::int64_t total = std::int64_t{ui.timer.Minutes} * 60 + ui.timer.Seconds;
        const bool overflowed = total < INT32_MIN || total > INT32_MAX;
        Require(ui.messageBox.shown.size() == (overflowed ? 0u : 1u), "a rejected click says why");
        Require(fuzz::ReadFile(settingFile) == bytes, "a rejected click saves nothing");
    }
    Require(core::FreeFile() == 1, "no file stays open after the click");
    return 0;
}
