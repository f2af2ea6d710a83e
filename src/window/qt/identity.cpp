#include "identity.hpp"

#include "texts.hpp"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

namespace garagon {
namespace {

void installQtGermanTexts() {
    static QTranslator translator;
    if (translator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }
}

// The file dialog would otherwise keep its last folder and history in the user's Qt
// settings and open there on the next run.
void keepNothingBetweenRuns() {
    static const QTemporaryDir settings;
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    }
}

} // namespace

void applyProgramIdentity() {
    QApplication::setApplicationName(QString::fromUtf8(texts::ProgramName));
    QApplication::setApplicationVersion(QStringLiteral(GARAGON_PRODUCT_VERSION));
    QApplication::setOrganizationName(QString::fromUtf8(texts::ProgramName));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(DesktopId));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    installQtGermanTexts();
    keepNothingBetweenRuns();
}

} // namespace garagon
