// Any text through the numeric test, the conversion to a 32-bit integer and
// the "00" pattern, which must agree with one another; and two 32-bit numbers
// through the checked arithmetic, which must be exact or raise overflow.

#include <cmath>
#include <cstring>

#include "Fuzz.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"

namespace kelvora::fuzz {
namespace {

template <typename Call>
int ErrorOf(Call call) {
    try {
        call();
    } catch (const core::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

void CheckText(std::string_view text) {
    const auto number = core::ReadNumber(text);
    Require(core::IsNumeric(text) == number.has_value(), "IsNumeric is ReadNumber's verdict");
    const std::string shown = core::Format00(text);
    if (!number || !std::isfinite(*number)) {
        Require(shown == text, "the pattern shows what is no finite number as written");
        Require(ErrorOf([&] { core::CLng(text); }) == (number ? core::kOverflow : core::kTypeMismatch),
                "CLng raises 13 for no number, 6 for one too large");
        return;
    }
    const double nearest = std::nearbyint(*number);
    const bool fits = nearest >= -2147483648.0 && nearest <= 2147483647.0;
    std::int32_t value = 0;
    Require(ErrorOf([&] { value = core::CLng(text); }) == (fits ? 0 : core::kOverflow),
            "CLng raises 6 exactly outside 32 bits");
    Require(!fits || value == nearest, "CLng takes the nearest integer, a half to even");
    const auto reread = core::ReadNumber(shown);
    Require(reread && *reread == std::round(*number), "the pattern shows the rounded number");
    const std::size_t digits = shown.size() - (shown[0] == '-');
    Require(digits >= 2 && shown.find_first_not_of("0123456789", shown[0] == '-') == std::string::npos,
            "the pattern gives a sign and two or more digits");
    Require(core::Format00(shown) == shown, "the pattern of its own output is the same");
}

void CheckArithmetic(std::int32_t a, std::int32_t b) {
    std::int32_t ignored = 0;
    const std::pair<std::int32_t (*)(std::int32_t, std::int32_t), bool> operations[] = {
        {core::CheckedAdd, __builtin_add_overflow(a, b, &ignored)},
        {core::CheckedSubtract, __builtin_sub_overflow(a, b, &ignored)},
        {core::CheckedMultiply, __builtin_mul_overflow(a, b, &ignored)}};
    const std::int64_t exact[] = {std::int64_t{a} + b, std::int64_t{a} - b, std::int64_t{a} * b};
    for (int i = 0; i < 3; ++i) {
        std::int32_t result = 0;
        const bool overflows = operations[i].second;
        Require(ErrorOf([&] { result = operations[i].first(a, b); }) == (overflows ? core::kOverflow : 0),
                "overflow raises 6, nothing wraps");
        Require(overflows || result == exact[i], "the checked result is exact");
    }
}

}  // namespace
}  // namespace kelvora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvora::fuzz::CheckText({reinterpret_cast<const char*>(data), size});
    if (size < 8) return 0;
    std::int32_t a = 0, b = 0;
    std::memcpy(&a, data, 4);
    std::memcpy(&b, data + 4, 4);
    kelvora::fuzz::CheckArithmetic(a, b);
    return 0;
}
