#pragma once

// The port to every reference into the CAD program the program holds: the
// end lets go of them, the trace switch hands them out anew. One list knows
// them all (the application's); a reference held anywhere else escapes both.

#include "cad/Automation.h"

#include <functional>
#include <string_view>

namespace psm {

// Called with each reference held and what it is (for the trace's lines).
using HeldReferenceVisitor = std::function<void(cad::ObjectRef& held, std::string_view kind)>;

// Visits every reference held, none that is empty.
using HeldReferences = std::function<void(const HeldReferenceVisitor& visit)>;

} // namespace psm
