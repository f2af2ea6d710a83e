#include "command_line.hpp"
#include "frmVelox.hpp"
#include "identity.hpp"
#include "keyboard.hpp"

#include <QApplication>
#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> utf8(const QStringList& arguments) {
    std::vector<std::string> texts;
    for (const QString& argument : arguments) {
        texts.push_back(argument.toStdString());
    }
    return texts;
}

} // namespace

int main(int argc, char** argv) {
    // Help, version and most errors need no display, so they are answered before Qt starts.
    const auto early = garagon::parseCommandLine({argv + std::min(argc, 1), argv + argc});
    if (garagon::answerableBeforeToolkit(early)) {
        return *garagon::answerWithoutWindow(early);
    }
    // Read while Qt starts and the window is built.
    auto catalogue = garagon::loadCatalogueAhead(garagon::catalogueFolder());
    QApplication app(argc, argv);
    garagon::applyProgramIdentity();
    // Qt has taken its own options out by now.
    const auto commandLine = garagon::parseCommandLine(utf8(QApplication::arguments().mid(1)));
    if (const auto exitCode = garagon::answerWithoutWindow(commandLine)) {
        return *exitCode;
    }
    garagon::frmVelox window;
    if (!window.Form_Load(catalogue.get())) {
        return 1;
    }
    window.show();
    garagon::takeKeyboard(&window);
    if (!commandLine.savegame.empty()) {
        window.openSavegame(QString::fromStdString(commandLine.savegame));
    }
    return QApplication::exec();
}
