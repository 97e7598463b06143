#pragma once

// The main window's own events: activation and the mouse button.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// Closes the properties window when it shows.
void Form_Activate(AppState& state, const Services& services);

// The right button opens the popup menu and runs the chosen item.
void Form_MouseDown(AppState& state, const Services& services, MouseButton button);

} // namespace psm
