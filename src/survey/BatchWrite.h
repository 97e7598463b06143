#pragma once

// "Schreiben" in the survey window: the type the main window's lists show,
// into every checked sheet-metal part, each whole or not at all.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// Each part is read anew and written with its features checked before and
// after, the recompute held around it; one redraw at the end and one summary
// box. Parts whose features fail after the write get their earlier values
// back when the user says yes. Every change is journalled; the survey reads
// the parts again afterwards.
void WriteCheckedParts(AppState& state, const Services& services);

} // namespace psm
