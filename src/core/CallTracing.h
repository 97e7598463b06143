#pragma once

// The trace of the calls into the CAD program as the program keeps it: the
// automation layer that records them, the file they go to, and the last few
// of them for a crash report. wWinMain puts it between the COM automation and
// the busy retry, so that the trace holds every call the CAD program
// receives, a refused one as often as it is asked again.

#include "cad/Tracing.h"
#include "journal/TraceFile.h"
#include "platform/TraceClock.h"

#include <cstddef>
#include <deque>
#include <string>

namespace psm {

// The calls a crash report tells of.
inline constexpr std::size_t LastCallsKept = 20;

class CallTracing final : public cad::Automation, private cad::CallTrace {
  public:
    CallTracing(cad::Automation& inner, const TraceClock& clock,
                std::uint64_t bound = TraceFileBound)
        : m_file(bound), m_tracing(inner, *this, clock) {}

    // Starts the trace in the file at `path`, which begins with `head`.
    // False, and the trace off, when the file cannot be written.
    bool Start(const std::string& path, std::string head);
    void Stop();
    bool On() const { return m_tracing.On(); }
    const std::string& Path() const { return m_file.Path(); }
    // The last calls' lines, oldest first, since the trace started.
    const std::deque<std::string>& LastCalls() const { return m_last; }

    cad::Result<cad::ObjectRef> GetActiveObject(std::string_view progId) override {
        return m_tracing.GetActiveObject(progId);
    }
    cad::Result<cad::Registration> RegistrationOf(std::string_view progId) override {
        return m_tracing.RegistrationOf(progId);
    }
    cad::ObjectRef Reissue(cad::ObjectRef object, std::string_view kind) override {
        return m_tracing.Reissue(std::move(object), kind);
    }

  private:
    void Record(const cad::TracedCall& call) override;

    TraceFile m_file;
    cad::TracingAutomation m_tracing;
    std::deque<std::string> m_last;
};

} // namespace psm
