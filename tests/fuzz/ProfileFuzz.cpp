// Any bytes as the profile file, through the module functions over this
// project's own profile routines: several keys are read, then one key is
// written. The written file must give the value back, every line the write
// was not about must be byte for byte what it was, and every other key must
// read as before. Last, the window placement is loaded from the file and saved
// back, as start-up and unload do.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../core/FakeWindowRoutines.h"
#include "FuzzFolder.h"
#include "core/App.h"
#include "core/FileSystem.h"
#include "core/ModuleIniFileInOut.h"
#include "core/ModuleWindowPos.h"
#include "core/RuntimeError.h"

namespace kelvora::fuzz {
namespace {

constexpr const char* kDefault = "<default>";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    a = Trimmed(a);
    b = Trimmed(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

// The value as a read gives it back: blanks and one pair of quotes dropped,
// cut to the 255 characters the read's buffer holds.
std::string AsRead(std::string_view value) {
    value = Trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, 255));
}

// A name from a few that the program uses, in other spellings, or any text.
std::string PickName(FuzzedDataProvider& input, std::initializer_list<const char*> known) {
    const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, known.size());
    if (choice < known.size()) return known.begin()[choice];
    std::string name = input.ConsumeRandomLengthString(24);
    return name.substr(0, name.find('\0'));  // what a C string can carry
}

const std::filesystem::path& ProfileFile() {
    static const std::filesystem::path file = [] {
        std::filesystem::create_directories(Folder() / "Data");
        core::App().Path = core::FromPath(Folder());
        core::App().EXEName = "Kelvora";
        return Folder() / "Data" / "Kelvora.ini";
    }();
    return file;
}

// The placement as the window keeps it, from whatever the file holds: either
// a conversion failure that leaves the window alone, or values that the next
// unload writes back so that they read as the same numbers.
void CheckPlacementRoundTrip(const std::string& path) {
    test::ResetFakeWindow();
    const win32api::WINDOWPLACEMENT before = test::Window().placement;
    try {
        core::LoadWindowPos(0);
    } catch (const core::RuntimeError& error) {
        Require(error.Number() == core::kOverflow || error.Number() == core::kTypeMismatch,
                "a placement value fails only as no number or out of range");
        Require(std::memcmp(&test::Window().placement, &before, sizeof before) == 0,
                "a failed load leaves the window where it was");
        return;
    }
    const win32api::WINDOWPLACEMENT loaded = test::Window().placement;
    core::SaveWindowPos(0);
    const auto& rect = loaded.rcNormalPosition;
    const std::pair<const char*, std::int64_t> stored[] = {
        {"Left", rect.left},
        {"Right", rect.right},
        {"Top", rect.top},
        {"Bottom", rect.bottom},
        {"showCmd", static_cast<std::int32_t>(loaded.showCmd)}};
    for (const auto& [name, member] : stored) {
        Require(core::ReadIniString(path, "WinPos", name, "") == std::to_string(member),
                "the saved placement reads back as plain numbers");
    }
}

struct Probe {
    std::string section;
    std::string key;
};

}  // namespace
}  // namespace kelvora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    using fuzz::Require;
    FuzzedDataProvider input(data, size);
    const std::string section =
        fuzz::PickName(input, {"WinPos", "winpos", " WinPos\t", "Other", ""});
    const std::string key = fuzz::PickName(input, {"Left", "LEFT", " showCmd ", "Top", ""});
    std::string value = input.ConsumeRandomLengthString(300);
    value = value.substr(0, value.find('\0'));
    const std::string before = input.ConsumeRemainingBytesAsString();
    fuzz::SetContext("section [" + fuzz::Escaped(section) + "] key [" + fuzz::Escaped(key) +
                     "] value [" + fuzz::Escaped(value) +
                     "]\nfile before: " + fuzz::Escaped(before));

    const std::filesystem::path file = fuzz::ProfileFile();
    const std::string path = core::FromPath(file);
    fuzz::WriteFile(file, before);

    std::vector<fuzz::Probe> probes = {
        {"WinPos", "Left"},    {"WinPos", "Right"}, {"WinPos", "Top"}, {"WinPos", "Bottom"},
        {"WinPos", "showCmd"}, {"Other", "Left"},   {section, key}};
    std::vector<std::string> read;
    for (const fuzz::Probe& probe : probes) {
        read.push_back(core::ReadIniString(path, probe.section, probe.key, fuzz::kDefault));
        Require(read.back().size() <= 255, "a read gives at most 255 characters");
    }
    Require(fuzz::ReadFile(file) == before, "reading never changes the file");

    const bool written = core::WriteIniString(path, section, key, value);
    const std::string after = fuzz::ReadFile(file);
    if (!written) {
        Require(after == before, "a failed write leaves the file as it was");
        return 0;
    }
    fuzz::SetContext(fuzz::Context() + "\nfile after:  " + fuzz::Escaped(after));

    const std::string back = core::ReadIniString(path, section, key, fuzz::kDefault);
    // A name that the file's own syntax cannot hold back ("[]" is no section
    // header) may be written yet not be found; anything else must read back.
    const bool readable = !fuzz::Trimmed(section).empty();
    if (readable) {
        Require(back == fuzz::AsRead(value), "the written value reads back");
    }

    // Outside the one edited place the bytes are the old ones: what differs
    // between the common start and the common end lies within one line.
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    const std::string_view removed =
        std::string_view(before).substr(head, before.size() - head - tail);
    Require(removed.find('\n') == std::string_view::npos, "no other line changes");

    for (std::size_t i = 0; i < probes.size(); ++i) {
        const bool same =
            fuzz::SameName(probes[i].section, section) && fuzz::SameName(probes[i].key, key);
        if (same) continue;
        Require(
            core::ReadIniString(path, probes[i].section, probes[i].key, fuzz::kDefault) == read[i],
            "every other key reads as before");
    }

    // Writing the same again changes nothing.
    Require(core::WriteIniString(path, section, key, value), "the same write succeeds again");
    if (readable) Require(fuzz::ReadFile(file) == after, "the same write changes nothing");

    fuzz::CheckPlacementRoundTrip(path);
    return 0;
}
