#include "command_line.hpp"
#include "file_system.hpp"
#include "identity.hpp"
#include "keyboard.hpp"
#include "frmVelox.hpp"

#include <QApplication>

namespace {

QStringList argumentsAfterTheName(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    // Help, version and most errors need no display, so they are answered before Qt starts.
    const auto early = garagon::parseCommandLine(argumentsAfterTheName(argc, argv));
    if (garagon::answerableBeforeQt(early)) {
        return *garagon::answerWithoutWindow(early);
    }
    // Read while Qt starts and the window is built.
    auto catalogue = garagon::loadCatalogueAhead(garagon::platform::programFolder());
    QApplication app(argc, argv);
    garagon::applyProgramIdentity();
    // Qt has taken its own options out by now.
    const auto commandLine = garagon::parseCommandLine(QApplication::arguments().mid(1));
    if (const auto exitCode = garagon::answerWithoutWindow(commandLine)) {
        return *exitCode;
    }
    garagon::frmVelox window;
    if (!window.Form_Load(catalogue.get())) {
        return 1;
    }
    window.show();
    garagon::takeKeyboard(&window);
    if (!commandLine.savegame.isEmpty()) {
        window.openSavegame(commandLine.savegame);
    }
    return QApplication::exec();
}
