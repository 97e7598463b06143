#pragma once

// The COM apartment of a program that drives psm.exe and simcad.exe, with
// psm's message filter: unlike psm, a driver waits for a busy simcad for as
// long as it runs.

#include "cad/BusyRetry.h"
#include "cad/ComApartment_win32.h"
#include "cad/MessageFilter_win32.h"
#include "platform/Clock.h"

#include <chrono>

namespace psm::e2e {

class DriverApartment {
  public:
    DriverApartment() = default;
    DriverApartment(const DriverApartment&) = delete;
    DriverApartment& operator=(const DriverApartment&) = delete;

  private:
    const cad::ComApartment m_apartment;
    SteadyClock m_clock;
    cad::WaitBudget m_waits{m_clock};
    const cad::CommandWaits m_always{m_waits, std::chrono::hours(24)};
    const cad::MessageFilterRegistration m_filter{m_waits};
};

} // namespace psm::e2e
