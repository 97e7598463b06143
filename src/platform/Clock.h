#pragma once

// Time for code that waits: how long something has taken, and a pause. Tests
// put in a clock of their own, so that waiting costs them nothing.

#include <chrono>

namespace psm {

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic time since some fixed point.
    virtual std::chrono::milliseconds Now() const = 0;
    // Blocks the calling thread for `duration`.
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

class SteadyClock final : public Clock {
  public:
    std::chrono::milliseconds Now() const override;
    void Sleep(std::chrono::milliseconds duration) override;
};

} // namespace psm
