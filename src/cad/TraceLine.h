#pragma once

// One call into the CAD program as the trace tells it: a line of tab-separated
// cells, such as
//   2026-12-07 16:30:05.123  Document  {7647EDC6-...}  get #0("BendRadius_")  Object Variable 0.412
//   ms
// time; the object's kind; the interface its handle is seen through (empty:
// plain IDispatch); the call with its member (name or "#" and dispatch
// identifier) and arguments, " = " and the value a put assigns; the result
// or the failure ("!0x80020003 " and its text); how long the call took.

#include "cad/Automation.h"
#include "platform/IsoTime.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace psm::cad {

enum class TracedOperation { Attach, As, Get, Put, Call };

struct TracedCall {
    LocalDateTime Start;
    std::string Kind;      // what the object is: "Application", "Document", ...
    std::string Interface; // the interface the handle is seen through
    TracedOperation Operation = TracedOperation::Get;
    // The member ("Name", "#21"), the interface asked for, or the ProgID.
    std::string Member;
    std::vector<std::string> Arguments; // as TraceValue writes them
    std::optional<std::string> Assigned;
    std::string Outcome; // the result as TraceValue writes it, or TraceFailure
    std::chrono::microseconds Duration{0};
};

// A code in hex, as COM writes it: "0x80020003".
std::string HexCode(int32_t code);

// The member as the line names it: its name, or "#" and its dispatch
// identifier (the large control identifiers in hex).
std::string TraceMember(const Member& member);

// A value with its type: "Empty", "Bool true", "I2 1", "I4 -5", "R8 0.0015",
// "\"Halter.psm\"" (quotes, backslashes and control characters escaped),
// "Object " and the object's kind.
std::string TraceValue(const Value& value, std::string_view objectKind = {});

// "!0x80020003 " and the failure's text on one line.
std::string TraceFailure(const Failure& failure);

// The column headings, a line like the calls' lines.
std::string TraceHeadings();

// The call's line, ending with CR LF.
std::string TraceLine(const TracedCall& call);

} // namespace psm::cad
