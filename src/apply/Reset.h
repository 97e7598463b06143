#pragma once

// The reset command: writes the values the document had when the watch read
// it back into it, without a question, and shows its type again.

#include "apply/DocumentWrite.h"

namespace psm {

void ResetDocument(const DocumentCommand& command);

} // namespace psm
