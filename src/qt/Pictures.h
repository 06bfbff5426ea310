#pragma once
#include <QImage>
#include <QPixmap>
#include <string>

#include "core/Controls.h"

namespace kelvora::qt {

// A picture file as the button shows it. Raises 53 when there is no such
// file and 481 when it is not a picture that can be read, a pipe or a device
// in its place included, which is refused rather than waited on.
QImage LoadPicture(const std::string& path);

// An image compiled into the program, in the format named. Only the decoder
// for that format is loaded, not every image plugin Qt has.
QImage ReadBuiltInImage(const QString& path, const char* format);

// The pictures compiled into the program, one per button state.
QImage BuiltInPicture(core::ButtonFace face);

// The picture with every pixel of exactly the mask colour left out, so that
// the button's face shows through there.
QPixmap MaskedPixmap(const QImage& picture);

}  // namespace kelvora::qt
