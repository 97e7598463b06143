#pragma once

// The two writes of the apply and undo commands, both into the one document
// a command works on, and what a write left waiting for a busy CAD program.

#include "core/AppState.h"
#include "core/Services.h"

#include <optional>

namespace psm {

// The document a command works on: the shown document, while it is the one
// the CAD program works on (the part edited in place, else the active
// document) and its values were read completely; none otherwise.
cad::ObjectRef CommandDocument(const AppState& state);

// Finishes what an earlier write left waiting, as far as the command's time
// allows. False when the CAD program still does not answer: the user is told
// that the command's type was not written (`notLanded`), and nothing may be.
bool EarlierWriteFinished(AppState& state, const Services& services, MessageText notLanded);

// Puts back and releases what a write left waiting, as far as the wait
// budget allows (at a tick: not waiting at all); the put-backs are
// journalled once they have landed.
void FinishWaitingWrite(AppState& state, const Services& services);

// Writes NewValues into `document`.
cad::WriteOutcome WriteNewValues(AppState& state, const Services& services,
                                 const cad::ObjectRef& document);

// Writes CurrentValues back into `document`, but only when they were read
// from that very document; another document is left alone (nothing).
std::optional<cad::WriteOutcome> WriteBackCurrentValues(AppState& state, const Services& services,
                                                        const cad::ObjectRef& document);

// The write back was refused: the document is no longer the one its values
// were read from.
void ShowUndoRefused(const AppState& state, const Services& services);

// True when the write landed. Otherwise tells the user that the type was not
// written or not reset (`notLanded`), to check the part when it was left with
// values of both types, and that the CAD program may still hold its recompute.
// A write that landed while the CAD program kept its recompute on hold is told too.
bool WriteLanded(const AppState& state, const Services& services, cad::WriteOutcome outcome,
                 MessageText notLanded);

} // namespace psm
