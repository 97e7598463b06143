#pragma once

// The one orderly end of the program.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// Stores the window position, drops every CAD reference, closes the
// properties window and ends the program. Afterwards `Ended(state)` is true
// and no handler does anything; a procedure that called it stops.
void ExitProgram(AppState& state, const Services& services);

void cmdEnd_Click(AppState& state, const Services& services);

} // namespace psm
