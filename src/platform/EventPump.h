#pragma once

namespace psm {

// Lets the user interface handle its pending events once (timer ticks
// included) and returns.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

} // namespace psm
