#pragma once

// The start-up of the main window and the window's place on the screen.

#include "cad/Automation.h"
#include "core/MainView.h"
#include "core/States.h"
#include "options/Trace.h"
#include "platform/ProgramLocation.h"
#include "tables/SettingsStore.h"

#include <functional>

namespace psm {

// What the start-up works with: the main window, the stored settings and the
// program's folder, the user's number format, the trace, the CAD program.
struct StartUpPorts {
    MainView& View;
    SettingsStore& Settings;
    const ProgramLocation& Location;
    // The decimal separator of the user's number format; none: '.'.
    const std::function<char()>& UserDecimalSeparator;
    // "/trace" on the command line: the trace runs from the start.
    bool TraceAtStart = false;
    const TracePorts& Trace;
};

// The start-up sequence, in its fixed order. A value file that cannot be read
// is reported and ends the start-up before the CAD program is contacted.
void StartUp(ProgramContext& program, WatchState& watch, ListsState& lists,
             const StartUpPorts& ports);

// Sizes the window and puts it at its stored position, when that lies on a
// monitor.
void RestoreWindowPosition(const SettingsNames& names, MainView& view,
                           const SettingsStore& settings);

} // namespace psm
