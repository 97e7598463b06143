#pragma once

// The document watch: follows the CAD program's active sheet-metal document,
// reads its values and finds the table and type that carry them.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// The timer's tick: finishes what a write left waiting for the CAD program,
// then polls. Never waits for a busy CAD program: the next tick asks again.
void OnTick(AppState& state, const Services& services, bool mainWindowIsActive);

// One poll. True when it asked the CAD program, false when it skipped the
// tick. Ends the program when the CAD program is gone or has no document.
bool PollDocument(AppState& state, const Services& services, bool mainWindowIsActive);

// Attaches to the CAD program, reads the document's values and finds its type.
void RefreshDocument(AppState& state, const Services& services);

} // namespace psm
