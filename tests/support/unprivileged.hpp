#pragma once

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace garagon::test {

// Runs check in a child process that gives up root first, if it has it, so that
// permission bits apply as they do for a player; the folder is handed to that user.
// True when check returned true.
template <class Check> bool holdsWithoutRoot(const std::filesystem::path& folder, Check check) {
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        if (::getuid() == 0) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
                ::lchown(entry.path().c_str(), nobody, nobody);
            }
            if (::chown(folder.c_str(), nobody, nobody) != 0 || ::setgid(nobody) != 0 ||
                ::setuid(nobody) != 0) {
                ::_exit(2);
            }
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace garagon::test
