#include "apply/Undo.h"

#include "apply/Journal.h"
#include "apply/WaitCursor.h"
#include "apply/WriteValues.h"
#include "selection/Selection.h"

namespace psm {
namespace {

void ResetSheetMetal(AppState& state, const Services& services) {
    if (state.Selection.Label1.empty()) {
        return;
    }
    if (state.Watch.SheetMetalOpen && state.Watch.Shown.ValuesKnown) {
        // After a switch to a part or drawing the active document is another
        // one; the values go only into the document they came from.
        const cad::ObjectRef document = CommandDocument(state);
        if (!document) {
            ShowUndoRefused(state, services);
        } else if (!EarlierWriteFinished(state, services, MessageText::TypeNotReset)) {
            return;
        }
        const auto restored =
            document ? WriteBackCurrentValues(state, services, document) : std::nullopt;
        if (restored) {
            // The reset checks no feature; its line says so.
            const std::string unchecked = UncheckedFeatures(state);
            JournalWrite(
                state, services, document,
                {JournalAction::Reset, *restored, state.Variables.LastWrite, unchecked, unchecked});
        }
        // After a failed write back the lists keep showing what they showed.
        if (Ended(state) ||
            (restored && !WriteLanded(state, services, *restored, MessageText::TypeNotReset))) {
            return;
        }
    }
    const ListsFilledByProgram filling(state);
    ShowCurrentType(state, services);
}

} // namespace

void cmdUndoWrite_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
    const WaitCursor wait(services.Pointer);
    ResetSheetMetal(state, services);
    ReportUnwrittenJournal(state, services);
}

} // namespace psm
