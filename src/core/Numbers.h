#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora::core {

// The number a text reads as: blanks around it, an optional sign, digits with
// an optional decimal fraction, an optional exponent ("1.5e2"). A number too
// large for a double reads as an infinity, so it still counts as numeric and
// then overflows wherever it is converted.
std::optional<double> ReadNumber(std::string_view text);

bool IsNumeric(std::string_view text);

// Conversion to a 32-bit integer; an exact half rounds to the even neighbour.
// Raises 13 when the text is not numeric and 6 when the result is out of range.
std::int32_t CLng(std::string_view text);
std::int32_t CLng(double value);

// The "00" pattern: at least two digits, a leading zero where needed
// (5 -> "05", 120 -> "120", -1 -> "-01"); a fraction rounds half away from zero.
std::string Format00(double value);
// Text that does not read as a number passes through unchanged.
std::string Format00(std::string_view text);

// Plain signed decimal ("-8", "120"), as numbers are written to the files.
std::string DecimalText(std::int32_t value);

// 32-bit arithmetic that raises 6 instead of wrapping.
std::int32_t CheckedNarrow(std::int64_t value);
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b);
std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b);

}  // namespace kelvora::core
