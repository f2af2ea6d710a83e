#include "command_line.hpp"

#include "text_fields.hpp"
#include "texts.hpp"

#include <cstdio>

namespace garagon {

CommandLine parseCommandLine(const std::vector<std::string>& arguments, Syntax syntax) {
    CommandLine result;
    bool options = syntax == Syntax::OptionsAndPath;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            return {CommandLine::Action::Help, {}, {}, false};
        } else if (options && argument == "--version") {
            return {CommandLine::Action::Version, {}, {}, false};
        } else if (options && argument.size() > 1 && argument.starts_with('-')) {
            return {CommandLine::Action::Error,
                    {},
                    replaced(texts::UnknownOption, "{option}", argument),
                    !argument.starts_with("--")};
        } else if (!result.savegame.empty()) {
            return {CommandLine::Action::Error,
                    {},
                    replaced(texts::SecondSavegame, "{path}", argument),
                    false};
        } else {
            result.savegame = argument;
        }
    }
    return result;
}

bool answerableBeforeToolkit(const CommandLine& commandLine) {
    return commandLine.action != CommandLine::Action::Run && !commandLine.toolkitMayKnow;
}

std::optional<int> answerWithoutWindow(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::Run:
        return std::nullopt;
    case CommandLine::Action::Help:
        std::fputs(texts::Usage, stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("%s %s\n", texts::ProgramName, GARAGON_PRODUCT_VERSION);
        return 0;
    case CommandLine::Action::Error:
        std::fputs((commandLine.error + texts::MoreWithHelp).c_str(), stderr);
        return 2;
    }
    return std::nullopt;
}

} // namespace garagon
