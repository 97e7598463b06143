#pragma once

// The two writes of the apply and undo commands, both into the one document
// a command works on.

#include "core/AppState.h"
#include "core/Services.h"

#include <optional>

namespace psm {

// The document a command works on: the part edited in place, else the active document.
cad::ObjectRef CommandDocument(const AppState& state);

// Writes NewValues into `document`.
cad::WriteOutcome WriteNewValues(AppState& state, const Services& services,
                                 const cad::ObjectRef& document);

// Writes CurrentValues back into `document`, but only when they were read
// from that very document; another document is left alone (nothing).
std::optional<cad::WriteOutcome> WriteBackCurrentValues(AppState& state, const Services& services,
                                                        const cad::ObjectRef& document);

// True when the write landed. Otherwise tells the user that the type was not
// written or not reset (`notLanded`), and to check the part when it was left with values
// of both types.
bool WriteLanded(const AppState& state, const Services& services, cad::WriteOutcome outcome,
                 MessageText notLanded);

} // namespace psm
