#include "platform/TraceClock.h"

#include <ctime>

namespace psm {

LocalDateTime SystemTraceClock::LocalNow() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto since = now.time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(since) -
                              std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::duration_cast<std::chrono::seconds>(since));
    return {.Year = local.tm_year + 1900,
            .Month = local.tm_mon + 1,
            .Day = local.tm_mday,
            .Hour = local.tm_hour,
            .Minute = local.tm_min,
            .Second = local.tm_sec,
            .OffsetMinutes = static_cast<int>(local.tm_gmtoff / 60),
            .Millisecond = static_cast<int>(milliseconds.count())};
}

std::chrono::microseconds SystemTraceClock::Elapsed() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace psm
