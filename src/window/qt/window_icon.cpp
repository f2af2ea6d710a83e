#include "window_icon.hpp"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace garagon {

// Drawn on a 32-unit grid and scaled, so every size shows the same car, sharp.
QImage carDrawing(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x4E, 0x9A));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setBrush(QColor(0xD6, 0x2B, 0x2B));
    painter.drawRoundedRect(QRectF(3, 15, 26, 8), 3, 3);
    painter.drawRoundedRect(QRectF(9, 9, 13, 8), 3, 3);
    painter.setBrush(QColor(0xBF, 0xE3, 0xF5));
    painter.drawRect(QRectF(11, 11, 9, 4));
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawEllipse(QRectF(6, 20, 7, 7));
    painter.drawEllipse(QRectF(19, 20, 7, 7));
    painter.end();
    return image;
}

namespace {

QPixmap carImage(int size) {
    return QPixmap::fromImage(carDrawing(size).convertToFormat(QImage::Format_Indexed8));
}

} // namespace

QIcon programIcon() {
    QIcon icon;
    icon.addPixmap(carImage(16));
    icon.addPixmap(carImage(32));
    return icon;
}

} // namespace garagon
