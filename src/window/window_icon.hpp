#pragma once

#include <QIcon>

namespace garagon {

// The window icon: a small car, as 16 x 16 and 32 x 32 images of 256 colours.
QIcon fensterIcon();

} // namespace garagon
