#include "identity.hpp"

#include <QApplication>
#include <QLocale>

namespace garagon {

void setzeProgrammidentitaet(QApplication& app) {
    QApplication::setApplicationName(QString::fromUtf8(Programmname));
    QApplication::setApplicationVersion(QString::fromUtf8(Programmversion));
    QApplication::setOrganizationName(QString::fromUtf8(Programmname));
    app.setProperty("description", QString::fromUtf8(Programmbeschreibung));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

} // namespace garagon
