#pragma once

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// The reset command: writes the values the document had when the watch read
// it back into it, without a question, and shows its type again.
void cmdUndoWrite_Click(AppState& state, const Services& services);

} // namespace psm
