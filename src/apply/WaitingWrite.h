#pragma once

// What a write left waiting for a busy CAD program: the values to put back
// and the release of its recompute.

#include "apply/Writer.h"

namespace psm {

// Puts back and releases what waits, as far as the wait budget allows (at a
// tick: not waiting at all); the put-backs are journalled once they have all
// landed. True when nothing waits any more.
bool FinishWaitingWrite(const Writer& writer);

} // namespace psm
