#pragma once

// Time for the trace of the calls into the CAD program: when a call began,
// to the millisecond, and how long it took, to the microsecond. Tests put in
// a clock of their own.

#include "platform/IsoTime.h"

#include <chrono>

namespace psm {

class TraceClock {
  public:
    virtual ~TraceClock() = default;
    // Now, as local time.
    virtual LocalDateTime LocalNow() const = 0;
    // Monotonic time since some fixed point.
    virtual std::chrono::microseconds Elapsed() const = 0;
};

// The system's clocks.
class SystemTraceClock final : public TraceClock {
  public:
    LocalDateTime LocalNow() const override;
    std::chrono::microseconds Elapsed() const override;
};

} // namespace psm
