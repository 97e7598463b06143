#pragma once

// The two writes of the apply and undo commands, both into the one document
// a command works on.

#include "app/AppState.h"
#include "app/Services.h"

namespace psm {

// The document a command works on: the part edited in place, else the active document.
cad::ObjectRef CommandDocument(const AppState& state);

// Writes NewValues into `document`.
void WriteNewValues(AppState& state, const Services& services, const cad::ObjectRef& document);

// Writes CurrentValues back into `document`, but only when they were read
// from that very document; another document is left alone. True when it wrote.
bool WriteBackCurrentValues(AppState& state, const Services& services,
                            const cad::ObjectRef& document);

} // namespace psm
