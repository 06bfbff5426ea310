// Any text through the numeric test, the conversion to a 32-bit integer and
// the "00" pattern, which must agree with one another.

#include <cmath>

#include "Fuzz.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    using fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto number = core::ReadNumber(text);
    Require(core::IsNumeric(text) == number.has_value(), "IsNumeric is ReadNumber's verdict");
    const double nearest = number ? std::nearbyint(*number) : 0;  // a half goes to even
    const bool fits = number && nearest >= -2147483648.0 && nearest <= 2147483647.0;
    int error = 0;
    try {
        Require(core::CLng(text) == nearest, "CLng takes the nearest integer");
    } catch (const core::RuntimeError& raised) {
        error = raised.Number();
    }
    const int expected = fits ? 0 : number ? core::kOverflow : core::kTypeMismatch;
    Require(error == expected, "CLng raises 13 for no number and 6 outside 32 bits");

    const std::string shown = core::Format00(text);
    if (!number || !std::isfinite(*number)) {
        Require(shown == text, "the pattern shows what is no finite number as written");
        return 0;
    }
    const std::size_t sign = shown[0] == '-', digits = shown.size() - sign;
    Require(digits >= 2 && shown.find_first_not_of("0123456789", sign) == std::string::npos &&
                (digits == 2 || shown[sign] != '0'),
            "the pattern gives a sign and at least two digits, no more zeros than needed");
    Require(core::ReadNumber(shown) == std::round(*number), "the pattern shows the rounded number");
    return 0;
}
