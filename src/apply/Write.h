#pragma once

// The write command: puts the type the lists show into the document, checks
// its features before and after, and offers to write the earlier values back
// when features fail or warn.

#include "apply/DocumentWrite.h"

namespace psm {

void WriteChosenType(const DocumentCommand& command);

} // namespace psm
