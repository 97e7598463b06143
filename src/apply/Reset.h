#pragma once

// The reset command: writes the values the document had when the watch read
// it back into it, without a question, and shows its type again.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

void ResetDocument(AppState& state, const Services& services);

} // namespace psm
