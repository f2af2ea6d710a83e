#pragma once

#include <chrono>
#include <ctime>

namespace garagon::platform {

// The calendar date and time of a moment on this computer's clock.
inline std::tm localTime(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &seconds);
#else
    localtime_r(&seconds, &parts);
#endif
    return parts;
}

} // namespace garagon::platform
