#pragma once

// The document watch: follows the CAD program's active sheet-metal document,
// reads its values and finds the table and type that carry them.

#include "cad/Automation.h"
#include "core/States.h"
#include "platform/Clock.h"
#include "tables/TableModel.h"

namespace psm {

// What the watch asks: the CAD program, and the clock for how often it looks
// at the program's registration.
struct WatchPorts {
    cad::Automation& Automation;
    Clock& Time;
};

enum class PollResult {
    Skipped, // the main window is active, or psm is attached to no CAD program
    Asked,   // the CAD program was asked; a busy one is asked again at the next tick
    CadGone, // the CAD program is gone or has no document: the program ends
};

// One poll: follows the document the CAD program works on, and the lists
// show its type. Never waits for a busy CAD program.
PollResult PollDocument(WatchState& watch, ListsState& lists, const TableModel& tables,
                        const WatchPorts& ports, bool mainWindowIsActive);

// Attaches to the CAD program, reads the document's values and finds its type.
void RefreshDocument(WatchState& watch, const TableModel& tables, cad::Automation& automation);

} // namespace psm
