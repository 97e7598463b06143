#pragma once

// The start-up of the main window and the window's place on the screen.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// The start-up sequence, in its fixed order. A value file that cannot be read
// is reported and ends the start-up before the CAD program is contacted.
void StartUp(AppState& state, const Services& services);

// Sizes the window and puts it at its stored position, when that lies on a
// monitor.
void RestoreWindowPosition(AppState& state, const Services& services);

} // namespace psm
