#include "identity.hpp"

#include <QApplication>
#include <QLocale>

namespace garagon {

void setzeProgrammidentitaet() {
    QApplication::setApplicationName(QString::fromUtf8(Programmname));
    QApplication::setApplicationVersion(QString::fromUtf8(Programmversion));
    QApplication::setOrganizationName(QString::fromUtf8(Programmname));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

} // namespace garagon
