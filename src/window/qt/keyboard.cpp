#include "keyboard.hpp"

#include <QGuiApplication>
#include <QWidget>

namespace garagon {

void takeKeyboard(QWidget* window) {
    if (window != nullptr &&
        !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window->activateWindow();
    }
}

} // namespace garagon
