#pragma once

#include <QIcon>
#include <QImage>

namespace garagon {

// The car drawn at any size, in full colour: the source of every icon of the program.
QImage carDrawing(int size);

// The window icon: the car as 16 x 16 and 32 x 32 images of 256 colours.
QIcon programIcon();

} // namespace garagon
