#pragma once
#include <stdexcept>
#include <string>

namespace kelvora::core {

// Error numbers the program raises or meets; the numbers and their Japanese
// descriptions are what a Japanese Windows user knows from other programs.
enum ErrorNumber : int {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kBadFileNameOrNumber = 52,
    kFileNotFound = 53,
    kFileAlreadyOpen = 55,
    kInputPastEndOfFile = 62,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
    kInvalidPicture = 481,
};

// The Japanese description of an error number.
std::string ErrorDescription(int number);

// A run-time error: a number and its description, as the form's error
// handlers receive it.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, const std::string& description);
    int Number() const noexcept { return number_; }
    std::string Description() const { return what(); }

private:
    int number_;
};

[[noreturn]] void RaiseError(int number);

// The run-time error that the exception being handled stands for, so that a
// handler meets every failure the same way: a RuntimeError is itself, an
// allocation failure is 7, and any other standard exception (a conversion or
// a file system library's own) is 5. Call it only inside a catch block.
RuntimeError CurrentError();

}  // namespace kelvora::core
