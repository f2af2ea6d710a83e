#pragma once

#include <QFont>

namespace garagon {

// Arial 9.75 pt, the font of every control; buttons, frames and options are bold.
inline QFont arial(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace garagon
