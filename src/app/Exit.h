#pragma once

// The one orderly end of the program.

#include "app/AppState.h"
#include "app/Services.h"

namespace psm {

// Stores the window position, finishes what a write left waiting, drops every
// CAD reference, closes the properties window and ends the program.
// Afterwards state.Run.Ended is true and no handler does anything; a command
// that called it stops.
void ExitProgram(AppState& state, const Services& services);

} // namespace psm
