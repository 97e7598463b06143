#include "apply/Reset.h"

#include "apply/DocumentWrite.h"
#include "apply/WaitCursor.h"
#include "core/DocumentValues.h"
#include "core/Journal.h"
#include "core/Lists.h"

namespace psm {
namespace {

// False when the lists are to keep what they show: the write back failed.
bool WriteBack(AppState& state, const Services& services) {
    // After a switch to a part or drawing the active document is another
    // one; the values go only into the document they came from.
    const cad::ObjectRef document = CommandDocument(state);
    if (!document) {
        ShowUndoRefused(state, services);
        return true;
    }
    if (!EarlierWriteFinished(state, services, MessageText::TypeNotReset)) {
        return false;
    }
    // The reset checks no feature; its line says so.
    PartWriteRequest reset;
    reset.Document = document;
    reset.Targets = RestoreTargets(state.Document.Values, state.Tables.ScaleFactor);
    reset.Action = JournalAction::Reset;
    reset.Before = CheckBefore::None;
    reset.FeaturesBefore = UncheckedFeatures(state);
    reset.CheckAfter = false;
    const PartWriteOutcome written = WritePart(state, services, state.Cad, reset);
    return TellWhenNotLanded(state, services, written, MessageText::TypeNotReset);
}

void Reset(AppState& state, const Services& services) {
    const ShownDocument& document = state.Document;
    if (!document.CadRunning || document.Name.empty()) {
        return; // no document shown
    }
    if (document.SheetMetal && document.ValuesKnown && !WriteBack(state, services)) {
        return;
    }
    ShowDocumentType(state);
}

} // namespace

void ResetDocument(AppState& state, const Services& services) {
    const WaitCursor wait(services.Pointer);
    Reset(state, services);
    ReportUnwrittenJournal(state, services);
}

} // namespace psm
