#pragma once

// The trace of the calls into the CAD program, on request: a layer of the
// automation, like the busy retry, that times every call of the objects it
// hands out (the view through an interface, gets, puts, calls) and the
// attach, and tells each to a CallTrace. While it is off it hands out the
// inner objects themselves: no call pays for a trace nobody asked for.

#include "cad/Automation.h"
#include "cad/TraceLine.h"
#include "platform/TraceClock.h"

namespace psm::cad {

// Where the traced calls go.
class CallTrace {
  public:
    virtual ~CallTrace() = default;
    virtual void Record(const TracedCall& call) = 0;
};

// `trace` and `clock` must outlive the objects handed out.
class TracingAutomation final : public Automation {
  public:
    TracingAutomation(Automation& inner, CallTrace& trace, const TraceClock& clock)
        : m_inner(inner), m_trace(trace), m_clock(clock) {}

    // Whether attaches and reissues from now on go through the trace.
    // Objects handed out before keep what they were until they are reissued.
    void SetOn(bool on) { m_on = on; }
    bool On() const { return m_on; }

    Result<ObjectRef> GetActiveObject(std::string_view progId) override;
    // Asks the system's table, not the CAD program: not traced.
    Result<Registration> RegistrationOf(std::string_view progId) override;
    // While on, a plain object comes back traced; while off, a traced one plain.
    ObjectRef Reissue(ObjectRef object, std::string_view kind) override;

  private:
    Automation& m_inner;
    CallTrace& m_trace;
    const TraceClock& m_clock;
    bool m_on = false;
};

} // namespace psm::cad
