#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace kelvora::core {

// Files opened by number, line by line, as the form's procedures use them.
// Errors are raised as RuntimeError with the usual numbers.

// The lowest file number not in use.
int FreeFile();

// Raises 53 when the file is missing, 76 when its folder is, 75 when the path
// is a folder or cannot be read, 55 when the number is already in use.
void OpenForInput(int fileNumber, const std::string& path);

// Output goes to a temporary file beside `path`; Close puts it in place in one
// step, so an interrupted save never leaves an empty or half-written file
// (platform/AtomicReplace.h). Raises 76 when the folder is missing, 75 when the
// path is a folder, 70 when the folder cannot be written or the file is
// read-only.
void OpenForOutput(int fileNumber, const std::string& path);

// One line: the bytes up to CR, CR LF, LF or the end of the file, as UTF-8.
// Raises 62 when nothing is left to read. Only the first `keepBytes` bytes of
// the line are kept; the rest is read past, so a huge line costs time but no
// memory, and the next read still starts at the next line.
std::string LineInput(int fileNumber, std::size_t keepBytes = std::string::npos);

// Writes the values as one line: plain decimal, separated by commas, ended by
// CR LF.
void WriteRecord(int fileNumber, std::initializer_list<std::int32_t> values);

// Closes the file; for output, this is when the new contents replace the old.
// Closing a number that is not open does nothing. Raises 70 when the new
// contents cannot be put in place; the old file is then left as it was.
void Close(int fileNumber);

}  // namespace kelvora::core
