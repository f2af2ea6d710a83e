#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>

namespace garagon::platform {

// A moment given as whole seconds since 1970 and nanoseconds on the system clock; none
// where the clock cannot hold it (its nanoseconds reach from 1677 to 2262 only).
inline std::optional<std::chrono::system_clock::time_point> clockMoment(std::int64_t seconds,
                                                                        std::int64_t nanoseconds) {
    using Clock = std::chrono::system_clock;
    constexpr auto limit =
        std::chrono::duration_cast<std::chrono::seconds>(Clock::duration::max()).count() - 1;
    if (seconds >= limit || seconds <= -limit) {
        return std::nullopt;
    }
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
        std::chrono::seconds(seconds) + std::chrono::nanoseconds(nanoseconds)));
}

// The calendar date and time of a moment on this computer's clock; none where the system
// cannot tell it (Windows: before 1970 and after 3000).
inline std::optional<std::tm> localTime(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm parts{};
#ifdef _WIN32
    const bool told = localtime_s(&parts, &seconds) == 0;
#else
    const bool told = localtime_r(&seconds, &parts) != nullptr;
#endif
    return told ? std::optional(parts) : std::nullopt;
}

} // namespace garagon::platform
