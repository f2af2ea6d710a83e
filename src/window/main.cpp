#include "dialogs.hpp"
#include "identity.hpp"
#include "start.hpp"

#include <QApplication>
#include <QFile>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    garagon::setzeProgrammidentitaet();
    garagon::QtDialoge dialoge;
    const auto fenster = garagon::starteFenster(
        dialoge, QFile::encodeName(QApplication::applicationDirPath()).toStdString());
    if (!fenster) {
        return 1;
    }
    fenster->show();
    return QApplication::exec();
}
