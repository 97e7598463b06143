#pragma once

// A CAD program busy recomputing refuses calls (RPC_E_CALL_REJECTED,
// RPC_E_SERVERCALL_RETRYLATER). The OLE message filter asks again where the
// COM runtime consults it; this layer does the same for every call whose
// refusal reaches the program anyway, so that no single refusal fails a step.
// Both follow one policy: ask again every RetryIntervalMs until RetryBudgetMs
// have passed since the call began.

#include "cad/Automation.h"
#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace psm::cad {

inline constexpr uint32_t RetryBudgetMs = 5000;
inline constexpr uint32_t RetryIntervalMs = 100;

// A call begun `elapsed` ago may be asked again.
constexpr bool RetryBudgetLeft(std::chrono::milliseconds elapsed) {
    return elapsed < std::chrono::milliseconds(RetryBudgetMs);
}

// Runs `attempt` until it succeeds or fails for another reason than a busy
// program, or until the budget is spent. The budget counts from the start of
// the first attempt: one that already waited in the message filter for the
// whole budget is not repeated, so a call never waits twice as long.
template <class Attempt>
std::invoke_result_t<Attempt&> RetryWhileBusy(Clock& clock, Attempt&& attempt) {
    const std::chrono::milliseconds start = clock.Now();
    for (;;) {
        auto result = attempt();
        if (result.Ok() || !IsBusy(result.Error())) {
            return result;
        }
        const std::chrono::milliseconds elapsed = clock.Now() - start;
        if (!RetryBudgetLeft(elapsed)) {
            return result;
        }
        clock.Sleep(std::min(std::chrono::milliseconds(RetryIntervalMs),
                             std::chrono::milliseconds(RetryBudgetMs) - elapsed));
    }
}

// Attaches through `inner` and hands out objects whose every call (the view
// through an interface, gets, puts, calls and with them the name lookups) is
// asked again while the program is busy. The objects keep `clock` and
// nothing else of this one: both must outlive them.
class BusyRetryAutomation final : public Automation {
  public:
    BusyRetryAutomation(Automation& inner, Clock& clock) : m_inner(inner), m_clock(clock) {}
    Result<ObjectRef> GetActiveObject(std::string_view progId) override;

  private:
    Automation& m_inner;
    Clock& m_clock;
};

} // namespace psm::cad
