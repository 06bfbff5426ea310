#pragma once
#include "win32/Handles.h"

namespace kelvora::win32 {

// The fields' and the label's face: "ＭＳ ゴシック", bold, Shift-JIS. Where
// that face is missing, the system picks a fixed-pitch Japanese Gothic face
// of the same character set, which is what the pitch and family ask for.
FontHandle CreateGothicFont(int pixelHeight);

}  // namespace kelvora::win32
