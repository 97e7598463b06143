#pragma once

// Every reference into the CAD program the program holds, in one list: the
// end lets go of them, the trace switch hands them out anew. A reference
// held anywhere else escapes both.

#include "cad/Automation.h"
#include "core/AppState.h"

#include <functional>
#include <string_view>

namespace psm {

// Called with each reference held and what it is (for the trace's lines).
using HeldReferenceVisitor = std::function<void(cad::ObjectRef& held, std::string_view kind)>;

// Visits every reference the state holds, none that is empty, in the order
// the end lets go of them: the watch's connection, features and variables,
// the shown document, then the survey's.
void ForEachHeldReference(AppState& state, const HeldReferenceVisitor& visit);

// Lets go of every reference; makes no call into the CAD program.
void ReleaseHeldReferences(AppState& state);

} // namespace psm
