#pragma once

// A CAD program busy recomputing refuses calls (RPC_E_CALL_REJECTED,
// RPC_E_SERVERCALL_RETRYLATER). The OLE message filter asks again where the
// COM runtime consults it; this layer does the same for every call whose
// refusal reaches the program anyway. Both draw on one WaitBudget: a command
// may wait RetryBudgetMs for all its refused calls together, asking again
// every RetryIntervalMs; outside a command nothing waits, so a timer tick
// that meets a busy program ends and the next tick asks again.

#include "cad/Automation.h"
#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

namespace psm::cad {

inline constexpr uint32_t RetryBudgetMs = 5000;
inline constexpr uint32_t RetryIntervalMs = 100;

// How long the calls of the running command may still wait for a busy program.
class WaitBudget {
  public:
    explicit WaitBudget(const Clock& clock) : m_clock(clock) {}
    WaitBudget(const WaitBudget&) = delete;
    WaitBudget& operator=(const WaitBudget&) = delete;

    // What is left now; zero while no command runs.
    std::chrono::milliseconds Left() const;

  private:
    friend class CommandWaits;
    const Clock& m_clock;
    std::optional<std::chrono::milliseconds> m_deadline;
};

// Opens a command's budget for its lifetime: `total` from now for all its
// refused calls together. A command run inside another keeps the outer
// deadline, so that together they never wait longer than the outer one.
class CommandWaits {
  public:
    explicit CommandWaits(WaitBudget& budget, std::chrono::milliseconds total =
                                                  std::chrono::milliseconds(RetryBudgetMs));
    ~CommandWaits();
    CommandWaits(const CommandWaits&) = delete;
    CommandWaits& operator=(const CommandWaits&) = delete;

  private:
    WaitBudget& m_budget;
    bool m_opened;
};

// Runs `attempt` until it succeeds or fails for another reason than a busy
// program, or until the budget is spent. Time an attempt spent waiting
// itself (in the message filter) counts against the budget too.
template <class Attempt>
std::invoke_result_t<Attempt&> RetryWhileBusy(Clock& clock, const WaitBudget& budget,
                                              Attempt&& attempt) {
    for (;;) {
        auto result = attempt();
        if (result.Ok() || !IsBusy(result.Error())) {
            return result;
        }
        const std::chrono::milliseconds left = budget.Left();
        if (left <= std::chrono::milliseconds::zero()) {
            return result;
        }
        clock.Sleep(std::min(std::chrono::milliseconds(RetryIntervalMs), left));
    }
}

// Attaches through `inner` and hands out objects whose every call (the view
// through an interface, gets, puts, calls and with them the name lookups) is
// asked again while the program is busy and the budget lasts. The objects
// keep `clock` and `budget` and nothing else of this one: both must outlive them.
class BusyRetryAutomation final : public Automation {
  public:
    BusyRetryAutomation(Automation& inner, Clock& clock, const WaitBudget& budget)
        : m_inner(inner), m_clock(clock), m_budget(budget) {}
    Result<ObjectRef> GetActiveObject(std::string_view progId) override;
    Result<Registration> RegistrationOf(std::string_view progId) override;
    ObjectRef Reissue(ObjectRef object, std::string_view kind) override;

  private:
    Automation& m_inner;
    Clock& m_clock;
    const WaitBudget& m_budget;
};

} // namespace psm::cad
