#include "apply/Reset.h"

#include "apply/DocumentWrite.h"
#include "apply/WaitCursor.h"
#include "core/DocumentValues.h"
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
    const std::string unchecked = UncheckedFeatures(state);
    const WrittenStep written = WriteAndJournal(
        state, services, document, RestoreTargets(state.Document.Values, state.Tables.ScaleFactor),
        WriteStep{JournalAction::Reset, false, unchecked});
    return WriteLanded(state, services, written.Outcome, MessageText::TypeNotReset);
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
