#include "core/ColonColour.h"

#include <algorithm>
#include <cmath>

namespace kelvora::core {
namespace {

// Large text and graphical objects need 3:1 to stay readable.
constexpr double kLegibleContrast = 3.0;

double Linear(std::uint8_t component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(Rgb colour) {
    return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) +
           0.0722 * Linear(colour.blue);
}

}  // namespace

double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb ColonColour(Rgb captionText) {
    return ContrastRatio(captionText, kStripColour) >= kLegibleContrast ? captionText : kWhite;
}

}  // namespace kelvora::core
