#pragma once

// The writes of the write and reset commands, all into the one document a
// command works on, each journalled with the features around it.

#include "apply/PartWrite.h"
#include "core/Boxes.h"
#include "core/States.h"
#include "platform/MousePointer.h"

#include <string>

namespace psm {

// What the main window's write and reset work with: the writer, the watch's
// attach and shown document, the lists that show the result, the boxes and
// the mouse pointer.
struct DocumentCommand {
    const Writer& Write;
    const WatchState& Watch;
    ListsState& Lists;
    Asking Ask;
    MousePointer& Pointer;
};

// The document a command works on: the shown document, while it is the one
// the CAD program works on (the part edited in place, else the active
// document) and its values were read completely; none otherwise.
cad::ObjectRef CommandDocument(const WatchState& watch);

// Finishes what an earlier write left waiting, as far as the command's time
// allows. False when the CAD program still does not answer: the user is told
// that the command's type was not written (`notLanded`), and nothing may be.
bool EarlierWriteFinished(const Writer& writer, const Asking& ask, MessageText notLanded);

// After a write of a command: tells the user when the values did not land
// (`notLanded`), to check the part when it was left with values of both
// types, and that the CAD program may still hold its recompute; a write that
// landed while the program kept its recompute on hold is told too. True when
// the write landed.
bool TellWhenNotLanded(const Asking& ask, const PartWriteOutcome& outcome, MessageText notLanded);

// The write back was refused: the document is no longer the one its values
// were read from.
void ShowUndoRefused(const Asking& ask);

} // namespace psm
