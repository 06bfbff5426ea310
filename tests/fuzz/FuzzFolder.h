#pragma once
// Support shared by the fuzz targets.

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvora::fuzz {

// A folder of this process's own, made at the first call and removed at a
// normal exit. It lies in TMPDIR when that is set, else in memory (/dev/shm)
// where the system has that, since every input writes and syncs files and a
// disk would make each one cost milliseconds. scripts/fuzz.sh points TMPDIR
// at a folder it removes afterwards, as a crash leaves this one behind.
const std::filesystem::path& Folder();

// What the current input was turned into, printed when a property fails.
void SetContext(std::string context);
const std::string& Context();

// Bytes as C-style text, with escapes for all but printable ASCII.
std::string Escaped(std::string_view bytes);

// Stops the run with a message when a property of the code under test fails;
// libFuzzer then saves the input that did it.
void Require(bool holds, std::string_view what);

void WriteFile(const std::filesystem::path& file, std::string_view bytes);
std::string ReadFile(const std::filesystem::path& file);

}  // namespace kelvora::fuzz
