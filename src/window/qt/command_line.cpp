#include "command_line.hpp"

#include "command_line_texts.hpp"
#include "identity.hpp"

#include <cstdio>

namespace garagon {

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QStringLiteral("--")) {
            options = false;
        } else if (options &&
                   (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))) {
            return {CommandLine::Action::Help, {}, {}, false};
        } else if (options && argument == QStringLiteral("--version")) {
            return {CommandLine::Action::Version, {}, {}, false};
        } else if (options && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            return {CommandLine::Action::Error,
                    {},
                    texts::UnknownOption.arg(argument),
                    !argument.startsWith(QStringLiteral("--"))};
        } else if (!result.savegame.isEmpty()) {
            return {CommandLine::Action::Error, {}, texts::SecondSavegame.arg(argument), false};
        } else {
            result.savegame = argument;
        }
    }
    return result;
}

bool answerableBeforeQt(const CommandLine& commandLine) {
    return commandLine.action != CommandLine::Action::Run && !commandLine.qtMayKnow;
}

std::optional<int> answerWithoutWindow(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::Run:
        return std::nullopt;
    case CommandLine::Action::Help:
        std::fputs(texts::Usage.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("%s %s\n", Programmname, Programmversion);
        return 0;
    case CommandLine::Action::Error:
        std::fputs((commandLine.error + texts::MoreWithHelp).toUtf8().constData(), stderr);
        return 2;
    }
    return std::nullopt;
}

} // namespace garagon
