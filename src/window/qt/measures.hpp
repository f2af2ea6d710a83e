#pragma once

#include "window_layout.hpp"

#include <QFont>

namespace garagon {

// The font of every control; buttons, frames and options are bold.
inline QFont controlFont(bool bold) {
    QFont font(QString::fromLatin1(fontFamily));
    font.setPointSizeF(fontHundredthsOfPoint / 100.0);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// Twips as pixels at the screen's logical density of 96 dots per inch, where a pixel is
// 15 twips; Qt scales them for denser screens.
constexpr int pixels(int twips) {
    return twips / 15;
}

} // namespace garagon
