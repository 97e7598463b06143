#include "platform/IsoTime.h"

#include <cstdio>
#include <cstdlib>

namespace psm {

std::string IsoTimeText(const LocalDateTime& time) {
    const int offset = std::abs(time.OffsetMinutes);
    char text[40] = {};
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", time.Year,
                  time.Month, time.Day, time.Hour, time.Minute, time.Second,
                  time.OffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return text;
}

std::string StampText(const LocalDateTime& time) {
    char text[40] = {};
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", time.Year, time.Month,
                  time.Day, time.Hour, time.Minute, time.Second, time.Millisecond);
    return text;
}

} // namespace psm
