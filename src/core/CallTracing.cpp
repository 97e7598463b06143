#include "core/CallTracing.h"

namespace psm {

bool CallTracing::Start(const std::string& path, std::string head) {
    m_last.clear();
    const bool writing = m_file.Begin(path, std::move(head));
    m_tracing.SetOn(writing);
    return writing;
}

void CallTracing::Stop() {
    m_tracing.SetOn(false);
    m_file.End();
    m_last.clear();
}

void CallTracing::Record(const cad::TracedCall& call) {
    if (!On()) {
        return; // a handle traced before the trace stopped, until it is reissued
    }
    std::string line = cad::TraceLine(call);
    // A line that cannot be written is lost; the calls go on.
    (void)m_file.Append(line);
    if (m_last.size() == LastCallsKept) {
        m_last.pop_front();
    }
    m_last.push_back(std::move(line));
}

} // namespace psm
