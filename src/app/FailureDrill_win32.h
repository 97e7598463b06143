#pragma once

// For the end-to-end tests only: with the environment variable
// PSM_TEST_FAILURE set, a write fails where psm lets pending events run, as
// psm never should: "exception" throws, "crash" raises an access violation,
// "terminate" throws out of a noexcept function.
// The tests see the crash report and the box that names it.

#include "platform/EventPump.h"

namespace psm {

class FailureDrill final : public EventPump {
  public:
    explicit FailureDrill(EventPump& inner);
    void ProcessPendingEvents() override;

  private:
    enum class Failure { None, Exception, Crash, Terminate };
    EventPump& m_inner;
    Failure m_failure = Failure::None;
};

} // namespace psm
