#pragma once
#include <QFont>

namespace kelvora::qt {

// The bold fixed-pitch Japanese Gothic face the digits are drawn in, at a size
// in logical pixels. The Windows face comes first; where it is missing an
// installed face of the same kind takes its place.
QFont JapaneseGothic(int pixelSize);

}  // namespace kelvora::qt
