#pragma once

#include <optional>
#include <span>
#include <windows.h>
// After windows.h, which it needs.
#include <restartmanager.h>

namespace garagon::platform {

// How much a holder is worth naming: a program with a window, which the player can end
// (the game), before a console, Explorer, a service, the system and the unknown.
inline int holderRank(RM_APP_TYPE type) {
    switch (type) {
    case RmMainWindow:
        return 0;
    case RmOtherWindow:
        return 1;
    case RmConsole:
        return 2;
    case RmExplorer:
        return 3;
    case RmService:
        return 4;
    case RmCritical:
        return 5;
    default:
        return 6;
    }
}

// The holder to name of those that the Restart Manager found, by rank, the first of a rank;
// never this process, and never one whose id another program has been given since: its
// start time is not the one reported. startTime gives a running process's start time.
template <class StartTime>
const RM_PROCESS_INFO* chosenHolder(std::span<const RM_PROCESS_INFO> processes, DWORD self,
                                    StartTime startTime) {
    const RM_PROCESS_INFO* chosen = nullptr;
    for (const auto& process : processes) {
        const std::optional<FILETIME> started = startTime(process.Process.dwProcessId);
        if (process.Process.dwProcessId == self || !started ||
            CompareFileTime(&*started, &process.Process.ProcessStartTime) != 0) {
            continue;
        }
        if (chosen == nullptr ||
            holderRank(process.ApplicationType) < holderRank(chosen->ApplicationType)) {
            chosen = &process;
        }
    }
    return chosen;
}

} // namespace garagon::platform
