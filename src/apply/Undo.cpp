#include "apply/Undo.h"

#include "apply/WaitCursor.h"
#include "apply/WriteValues.h"
#include "selection/Selection.h"

namespace psm {

void cmdUndoWrite_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
    const WaitCursor wait(services.Pointer);
    if (state.Selection.Label1.empty()) {
        return;
    }
    if (state.Watch.SheetMetalOpen) {
        // After a switch to a part or drawing the active document is another
        // one; the values go only into the document they came from.
        const auto restored = WriteBackCurrentValues(state, services, CommandDocument(state));
        // After a failed write back the lists keep showing what they showed.
        if (Ended(state) ||
            (restored && !WriteLanded(state, services, *restored, MessageText::TypeNotReset))) {
            return;
        }
    }
    const ListsFilledByProgram filling(state);
    ShowCurrentType(state, services);
}

} // namespace psm
