// Any bytes as the profile file, any section, key and value: reads never
// change the file, a write gives its value back and changes no other line nor
// any other key, and the window placement loads from the file and saves back
// as plain numbers, as start-up and close do.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "Fuzz.h"
#include "core/ModuleIniFileInOut.h"
#include "core/ModuleWindowPos.h"
#include "core/RuntimeError.h"

namespace kelvora::fuzz {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t\r\v\f");
    if (begin == text.npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\v\f") - begin + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    a = Trimmed(a);
    b = Trimmed(b);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
           });
}

// The value as a read gives it back: blanks and one pair of quotes dropped,
// cut to the 255 characters of the read's buffer.
std::string AsRead(std::string_view value) {
    value = Trimmed(value);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, 255));
}

// One of the names the program uses, in another spelling, or any text.
std::string Name(FuzzedDataProvider& input, std::initializer_list<const char*> known) {
    const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, known.size());
    if (choice < known.size()) return known.begin()[choice];
    const std::string name = input.ConsumeRandomLengthString(24);
    return name.substr(0, name.find('\0'));
}

void CheckPlacementRoundTrip(const std::string& path) {
    test::ResetWindow();
    win32api::WINDOWPLACEMENT& placement = test::Window().placement;
    try {
        core::LoadWindowPos(0);
    } catch (const core::RuntimeError& error) {
        Require(error.Number() == core::kOverflow || error.Number() == core::kTypeMismatch,
                "a placement value fails only as no number or out of range");
        Require(placement.rcNormalPosition.left == 10, "a failed load leaves the window alone");
        return;
    }
    core::SaveWindowPos(0);
    const auto& [left, top, right, bottom] = placement.rcNormalPosition;
    const std::int32_t stored[] = {left, right, top, bottom, std::int32_t(placement.showCmd)};
    const char* const keys[] = {"Left", "Right", "Top", "Bottom", "showCmd"};
    for (int i = 0; i < 5; ++i) {
        Require(core::ReadIniString(path, "WinPos", keys[i], "") == std::to_string(stored[i]),
                "the saved placement reads back as plain numbers");
    }
}

}  // namespace
}  // namespace kelvora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    using fuzz::Require;
    FuzzedDataProvider input(data, size);
    const std::string section = fuzz::Name(input, {"WinPos", "winpos", " WinPos\t", "Other", ""});
    const std::string key = fuzz::Name(input, {"Left", "LEFT", " showCmd ", "Top", ""});
    std::string value = input.ConsumeRandomLengthString(300);
    value = value.substr(0, value.find('\0'));
    const std::string before = input.ConsumeRemainingBytesAsString();
    const std::filesystem::path file = fuzz::AppFolder() / "Data" / "Kelvora.ini";
    const std::string path = test::Utf8(file);
    test::WriteBytes(file, before);

    const std::pair<std::string, std::string> probes[] = {
        {"WinPos", "Left"}, {"WinPos", "showCmd"}, {"Other", "Left"}, {section, key}};
    std::string read[4];
    for (int i = 0; i < 4; ++i) {
        read[i] = core::ReadIniString(path, probes[i].first, probes[i].second, "<default>");
        Require(read[i].size() <= 255, "a read gives at most 255 characters");
    }
    Require(test::ReadBytes(file) == before, "reading never changes the file");

    if (!core::WriteIniString(path, section, key, value)) {
        Require(test::ReadBytes(file) == before, "a failed write leaves the file as it was");
        return 0;
    }
    const std::string after = test::ReadBytes(file);
    // "[]" is no section header, so a blank section may be written yet not found.
    Require(fuzz::Trimmed(section).empty() ||
                core::ReadIniString(path, section, key, "<default>") == fuzz::AsRead(value),
            "the written value reads back");
    // What differs between the common start and the common end lies within one line.
    const auto head = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
    const auto tail = std::mismatch(before.rbegin(), std::make_reverse_iterator(head.first),
                                    after.rbegin(), std::make_reverse_iterator(head.second));
    Require(std::find(head.first, tail.first.base(), '\n') == tail.first.base(),
            "no other line changes");
    for (int i = 0; i < 3; ++i) {
        if (fuzz::SameName(probes[i].first, section) && fuzz::SameName(probes[i].second, key)) continue;
        Require(core::ReadIniString(path, probes[i].first, probes[i].second, "<default>") == read[i],
                "every other key reads as before");
    }
    Require(core::WriteIniString(path, section, key, value), "the same write succeeds again");
    Require(fuzz::Trimmed(section).empty() || test::ReadBytes(file) == after,
            "the same write again changes nothing");
    fuzz::CheckPlacementRoundTrip(path);
    return 0;
}
