#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace garagon {

// What the program is asked to do: "garagon [OPTION] [SPIELSTAND]".
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString savegame; // Run: the savegame to open at start; empty for none
    QString error;    // Error: the German message
    // Error: the option has one dash and may be Qt's own, which Qt takes out of the
    // arguments once it has started.
    bool qtMayKnow = false;
};

// Reads the arguments after the program's name, left to right: the first option or path
// that decides the outcome wins. "--" ends the options.
CommandLine parseCommandLine(const QStringList& arguments);

// True where the answer stands before Qt has started: help, version, or an error that
// no option of Qt's can explain.
bool answerableBeforeQt(const CommandLine& commandLine);

// Help and version go to standard output, errors to standard error. Returns the exit
// code where the program ends without a window: 0 after help or version, 2 on errors.
std::optional<int> answerWithoutWindow(const CommandLine& commandLine);

} // namespace garagon
