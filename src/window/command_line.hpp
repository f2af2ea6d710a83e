#pragma once

#include <optional>
#include <string>
#include <vector>

namespace garagon {

// What the program is asked to do: "garagon [OPTION] [SPIELSTAND]".
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string savegame; // Run: the savegame to open at start; empty for none
    std::string error;    // Error: the German message
    // Error: the option has one dash and may be the toolkit's own, which the toolkit takes
    // out of the arguments once it has started.
    bool toolkitMayKnow = false;
};

// How arguments are read: as options and a path, or, as on Windows, each as a path
// whatever it begins with.
enum class Syntax { OptionsAndPath, PathOnly };

// Reads the arguments after the program's name, left to right: the first option or path
// that decides the outcome wins. "--" ends the options.
CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             Syntax syntax = Syntax::OptionsAndPath);

// True where the answer stands before the toolkit has started: help, version, or an error
// that no option of the toolkit's can explain.
bool answerableBeforeToolkit(const CommandLine& commandLine);

// Help and version go to standard output, errors to standard error. Returns the exit
// code where the program ends without a window: 0 after help or version, 2 on errors.
std::optional<int> answerWithoutWindow(const CommandLine& commandLine);

} // namespace garagon
