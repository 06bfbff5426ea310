// Any text through the numeric test, the conversion to a 32-bit integer and
// the "00" pattern, which must agree with one another; and two 32-bit numbers
// through the checked arithmetic.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzFolder.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"

namespace kelvora::fuzz {
namespace {

// The error number a call raises, or 0.
template <typename Call>
int ErrorOf(Call call) {
    try {
        call();
    } catch (const core::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

bool LooksLikePattern(const std::string& text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.size() < 2) return false;
    for (const char c : digits) {
        if (c < '0' || c > '9') return false;
    }
    return digits.size() == 2 || digits.front() != '0';
}

void CheckText(std::string_view text) {
    const auto number = core::ReadNumber(text);
    Require(core::IsNumeric(text) == number.has_value(), "IsNumeric is ReadNumber's verdict");
    if (!number) {
        Require(ErrorOf([&] { core::CLng(text); }) == core::kTypeMismatch,
                "CLng of a text that is no number raises 13");
        Require(core::Format00(text) == text, "the pattern leaves a text that is no number alone");
        return;
    }
    Require(!std::isnan(*number), "no text reads as NaN");

    const double nearest = std::nearbyint(*number);
    const bool fits = nearest >= -2147483648.0 && nearest <= 2147483647.0;
    std::int32_t converted = 0;
    const int error = ErrorOf([&] { converted = core::CLng(text); });
    Require(error == (fits ? 0 : core::kOverflow), "CLng raises 6 exactly outside 32 bits");
    if (fits) {
        const double off = converted - *number;
        Require(std::fabs(off) <= 0.5, "CLng takes the nearest integer");
        if (std::fabs(off) == 0.5) Require(converted % 2 == 0, "an exact half goes to even");
        Require(core::CLng(static_cast<double>(converted)) == converted, "CLng of an integer");
    }

    const std::string formatted = core::Format00(text);
    if (!std::isfinite(*number)) {
        Require(formatted == text, "a number too large for a double is shown as written");
        return;
    }
    Require(LooksLikePattern(formatted), "the pattern gives a sign and two or more digits");
    const auto reread = core::ReadNumber(formatted);
    Require(reread && *reread == std::round(*number), "the pattern shows the rounded number");
    Require(core::Format00(formatted) == formatted, "the pattern of its own output is the same");
    if (fits && std::fabs(*number - std::trunc(*number)) != 0.5) {
        Require(formatted == core::Format00(static_cast<double>(converted)),
                "away from halves the pattern and CLng agree");
    }
}

void CheckArithmetic(std::int32_t a, std::int32_t b) {
    const auto check = [](auto call, bool overflows, std::int64_t exact) {
        std::int32_t result = 0;
        const int error = ErrorOf([&] { result = call(); });
        Require(error == (overflows ? core::kOverflow : 0), "overflow raises 6, nothing wraps");
        if (!overflows) Require(result == exact, "the checked result is exact");
    };
    std::int32_t ignored = 0;
    check([&] { return core::CheckedAdd(a, b); }, __builtin_add_overflow(a, b, &ignored),
          std::int64_t{a} + b);
    check([&] { return core::CheckedSubtract(a, b); }, __builtin_sub_overflow(a, b, &ignored),
          std::int64_t{a} - b);
    check([&] { return core::CheckedMultiply(a, b); }, __builtin_mul_overflow(a, b, &ignored),
          std::int64_t{a} * b);
}

}  // namespace
}  // namespace kelvora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kelvora::fuzz::CheckText(text);
    if (size >= 8) {
        std::int32_t a = 0;
        std::int32_t b = 0;
        std::memcpy(&a, data, 4);
        std::memcpy(&b, data + 4, 4);
        kelvora::fuzz::CheckArithmetic(a, b);
    }
    return 0;
}
