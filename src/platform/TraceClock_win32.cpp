#include "platform/TraceClock.h"

#include <windows.h>

namespace psm {

// The system's own calls: the C runtime's time zone would follow the TZ
// variable rather than the user's setting.
LocalDateTime SystemTraceClock::LocalNow() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {.Year = local.wYear,
            .Month = local.wMonth,
            .Day = local.wDay,
            .Hour = local.wHour,
            .Minute = local.wMinute,
            .Second = local.wSecond,
            .Millisecond = local.wMilliseconds};
}

std::chrono::microseconds SystemTraceClock::Elapsed() const {
    static const long long frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return value.QuadPart > 0 ? value.QuadPart : 1;
    }();
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    // Whole seconds and the rest apart, so that the product never overflows.
    const long long seconds = count.QuadPart / frequency;
    const long long rest = count.QuadPart % frequency;
    return std::chrono::microseconds(seconds * 1'000'000 + rest * 1'000'000 / frequency);
}

} // namespace psm
