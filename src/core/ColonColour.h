#pragma once
#include <cstdint>

namespace kelvora::core {

struct Rgb {
    std::uint8_t red, green, blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The strip behind the fields and the colon.
inline constexpr Rgb kStripColour{0, 0, 64};
inline constexpr Rgb kWhite{255, 255, 255};

// The WCAG contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double ContrastRatio(Rgb a, Rgb b);

// The colon is drawn in the active caption's text colour, a colour the user's
// theme chooses. Today's themes report black, which vanishes into the dark
// strip; then white, the colour of the digits beside it, keeps the colon legible.
Rgb ColonColour(Rgb captionText);

}  // namespace kelvora::core
