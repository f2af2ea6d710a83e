#include "dialogs.hpp"
#include "identity.hpp"
#include "modVelox.hpp"
#include "start.hpp"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    garagon::setzeProgrammidentitaet(app);
    garagon::QtDialoge dialoge;
    const auto fenster = garagon::starteFenster(dialoge, garagon::modVelox::programmordner());
    if (!fenster) {
        return 1;
    }
    fenster->show();
    return QApplication::exec();
}
