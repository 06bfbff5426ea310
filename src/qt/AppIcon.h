#pragma once
#include <QIcon>

namespace kelvora::qt {

// The program's icon, from the images compiled into it.
QIcon AppIcon();

}  // namespace kelvora::qt
