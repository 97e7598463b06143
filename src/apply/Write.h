#pragma once

// The write command: puts the type the lists show into the document, checks
// its features before and after, and offers to write the earlier values back
// when features fail or warn.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

void WriteChosenType(AppState& state, const Services& services);

} // namespace psm
