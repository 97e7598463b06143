#pragma once

// The writes of the write and reset commands, all into the one document a
// command works on, each journalled with the features around it.

#include "core/AppState.h"
#include "core/Journal.h"
#include "core/Services.h"

#include <string>

namespace psm {

// The document a command works on: the shown document, while it is the one
// the CAD program works on (the part edited in place, else the active
// document) and its values were read completely; none otherwise.
cad::ObjectRef CommandDocument(const AppState& state);

// Finishes what an earlier write left waiting, as far as the command's time
// allows. False when the CAD program still does not answer: the user is told
// that the command's type was not written (`notLanded`), and nothing may be.
bool EarlierWriteFinished(AppState& state, const Services& services, MessageText notLanded);

// One write of a command, as the journal tells it.
struct WriteStep {
    JournalAction Action = JournalAction::Written;
    bool CheckFeatures = true;  // the feature check runs after a write that landed
    std::string FeaturesBefore; // the journal's cell for the features before
};

struct WrittenStep {
    cad::WriteOutcome Outcome = cad::WriteOutcome::NotWritten;
    bool Healthy = false;      // it landed, and the check after found nothing
    std::string FeaturesAfter; // the journal's cell for the features after
};

// Writes `targets` (CAD units) into `document`, checks the features after a
// write that landed, and journals the change.
WrittenStep WriteAndJournal(AppState& state, const Services& services,
                            const cad::ObjectRef& document, const cad::CadValues& targets,
                            const WriteStep& step);

// True when the write landed. Otherwise tells the user that the type was not
// written or not reset (`notLanded`), to check the part when it was left with
// values of both types, and that the CAD program may still hold its recompute.
// A write that landed while the CAD program kept its recompute on hold is told too.
bool WriteLanded(const AppState& state, const Services& services, cad::WriteOutcome outcome,
                 MessageText notLanded);

// The write back was refused: the document is no longer the one its values
// were read from.
void ShowUndoRefused(const AppState& state, const Services& services);

} // namespace psm
