#pragma once

// The one list of every reference into the CAD program the program holds.

#include "app/AppState.h"
#include "core/HeldReferences.h"

namespace psm {

// Visits every reference the state holds, none that is empty, in the order
// the end lets go of them: the watch's connection and variables, the writer's
// put-backs, the shown document, then the survey's.
void ForEachHeldReference(AppState& state, const HeldReferenceVisitor& visit);

// Lets go of every reference; makes no call into the CAD program.
void ReleaseHeldReferences(AppState& state);

} // namespace psm
