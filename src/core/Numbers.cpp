#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/RuntimeError.h"

namespace kelvora::core {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The parts of a number as written, checked against the grammar before any
// conversion, so that from_chars never decides what counts as a number.
struct NumberShape {
    bool negative = false;
    std::string_view body;  // mantissa and exponent, without the sign
    long long integerDigits = 0;
    long long exponent = 0;
};

// Every digit of a whole, finite, non-negative double, written without the
// floating-point formatter: that one brings hundreds of kilobytes of tables
// into Kelvora.exe for numbers a hand-edited file might hold. Integer
// conversions never read the locale either.
std::string WholeDigits(double whole) {
    char buffer[24];
    if (whole < 0x1p63) {
        const auto integer = static_cast<unsigned long long>(whole);
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, integer).ptr);
    }
    // whole = mantissa * 2^shift exactly; double the mantissa `shift` times in
    // base 10^9 limbs, least significant first.
    int exponent = 0;
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(std::frexp(whole, &exponent), 53));
    constexpr std::uint32_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> limbs;
    for (std::uint64_t rest = mantissa; rest != 0; rest /= kBase)
        limbs.push_back(static_cast<std::uint32_t>(rest % kBase));
    for (int shift = exponent - 53; shift > 0; --shift) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t doubled = std::uint64_t{limb} * 2 + carry;
            limb = static_cast<std::uint32_t>(doubled % kBase);
            carry = static_cast<std::uint32_t>(doubled / kBase);
        }
        if (carry != 0) limbs.push_back(carry);
    }
    std::string digits(buffer, std::to_chars(buffer, buffer + sizeof buffer, limbs.back()).ptr);
    for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
        const std::string part(buffer, std::to_chars(buffer, buffer + sizeof buffer, *limb).ptr);
        digits += std::string(9 - part.size(), '0') + part;
    }
    return digits;
}

std::optional<NumberShape> MatchShape(std::string_view text) {
    NumberShape shape;
    text = TrimBlanks(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        shape.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    shape.body = text;
    std::size_t i = 0;
    std::size_t mantissaDigits = 0;
    bool leadingZeros = true;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) {
        if (text[i] != '0') leadingZeros = false;
        if (!leadingZeros) ++shape.integerDigits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        std::size_t exponentStart = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (shape.exponent < 100000) shape.exponent = shape.exponent * 10 + (text[i] - '0');
        }
        if (i == exponentStart) return std::nullopt;
        if (negativeExponent) shape.exponent = -shape.exponent;
    }
    if (i != text.size()) return std::nullopt;
    return shape;
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
    const auto shape = MatchShape(text);
    if (!shape) return std::nullopt;
    double value = 0.0;
    const char* first = shape->body.data();
    const char* last = first + shape->body.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        const bool tooLarge = shape->integerDigits + shape->exponent > 0;
        value = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return shape->negative ? -value : value;
}

bool IsNumeric(std::string_view text) { return ReadNumber(text).has_value(); }

std::int32_t CLng(double value) {
    // nearbyint follows the default rounding mode, round-half-to-even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) RaiseError(kOverflow);
    return static_cast<std::int32_t>(rounded);
}

std::int32_t CLng(std::string_view text) {
    const auto value = ReadNumber(text);
    if (!value) RaiseError(kTypeMismatch);
    return CLng(*value);
}

std::string Format00(double value) {
    const double rounded = std::round(value);
    std::string digits = WholeDigits(std::fabs(rounded));
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return (rounded < 0 ? "-" : "") + digits;
}

std::string Format00(std::string_view text) {
    const auto value = ReadNumber(text);
    if (!value || !std::isfinite(*value)) return std::string(text);
    return Format00(*value);
}

std::string DecimalText(std::int32_t value) {
    char buffer[16];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::int32_t CheckedNarrow(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        RaiseError(kOverflow);
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    return CheckedNarrow(std::int64_t{a} + b);
}
std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b) {
    return CheckedNarrow(std::int64_t{a} - b);
}
std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b) {
    return CheckedNarrow(std::int64_t{a} * b);
}

}  // namespace kelvora::core
