// Any bytes as the profile file, any section, key and value: a read never
// changes the file, and a write gives its value back and changes no other line.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>

#include "Fuzz.h"
#include "core/ModuleIniFileInOut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    using fuzz::Require;
    FuzzedDataProvider input(data, size);
    // Names the program uses, in other spellings, or any text a C string holds.
    const auto name = [&](std::initializer_list<const char*> known, std::size_t longest) {
        const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, known.size());
        const std::string text = choice < known.size() ? known.begin()[choice]
                                                       : input.ConsumeRandomLengthString(longest);
        return text.substr(0, text.find('\0'));
    };
    const std::string section = name({"WinPos", "winpos", " WinPos\t", "Other", ""}, 24);
    const std::string key = name({"Left", "LEFT", " showCmd ", "Top", ""}, 24);
    const std::string value = name({}, 300);
    const std::string before = input.ConsumeRemainingBytesAsString();
    const std::filesystem::path file = fuzz::DataFolder() / "Kelvora.ini";
    const std::string path = test::Utf8(file);
    test::WriteBytes(file, before);

    Require(core::ReadIniString(path, section, key, "").size() <= 255 &&
                test::ReadBytes(file) == before,
            "a read gives 255 characters at most and never changes the file");
    if (!core::WriteIniString(path, section, key, value)) {
        Require(test::ReadBytes(file) == before, "a failed write leaves the file as it was");
        return 0;
    }
    const std::string after = test::ReadBytes(file);
    // Blanks and one pair of quotes around a value do not read back, and
    // "[ ]" is no section header.
    const char* const blanks = " \t\r\v\f";
    const bool plain = value.size() <= 255 && value.find_first_of(blanks) != 0 &&
                       value.find_last_of(blanks) + 1 != value.size() &&
                       (value.size() < 2 || std::strchr("\"'", value[0]) == nullptr) &&
                       section.find_first_not_of(blanks) != std::string::npos;
    Require(!plain || core::ReadIniString(path, section, key, "") == value, "the value reads back");
    // What differs between the common start and the common end lies within one line.
    const auto head = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
    const auto tail = std::mismatch(before.rbegin(), std::make_reverse_iterator(head.first),
                                    after.rbegin(), std::make_reverse_iterator(head.second));
    Require(std::find(head.first, tail.first.base(), '\n') == tail.first.base(),
            "no other line changes");
    Require(core::WriteIniString(path, section, key, value) &&
                (!plain || test::ReadBytes(file) == after),
            "the same write again succeeds and changes nothing");
    return 0;
}
