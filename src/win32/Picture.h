#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A decoded picture: rows from the top, each pixel 32 bits as B, G, R, A.
struct Picture {
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint32_t> pixels;

    bool Empty() const { return pixels.empty(); }
};

// Whether a picture of this size may be decoded: not empty, and at most 128 MB
// of 32-bit pixels. Anything larger is not a button picture.
bool PictureSizeAllowed(UINT width, UINT height);

// Decodes the first frame of a picture file through the system's imaging
// component (GIF, and whatever else it reads). Raises the run-time error 53
// when the file is missing and 481 when it is not a picture or too large.
Picture LoadPictureFile(const std::string& path);

// Reads a picture built into the executable as a 24-bit bitmap resource;
// empty when there is none by that number, or it is not such a bitmap.
Picture LoadPictureResource(HMODULE module, int id);

// Pixels exactly in the mask colour, and transparent ones, take the face
// colour: they are not drawn, so the button's face shows through.
void ApplyMaskColour(Picture& picture, COLORREF mask, COLORREF face);

}  // namespace kelvora::win32
