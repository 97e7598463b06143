#include "apply/Reset.h"

#include "apply/DocumentWrite.h"
#include "apply/WaitCursor.h"
#include "core/DocumentValues.h"
#include "lists/Lists.h"

namespace psm {
namespace {

// False when the lists are to keep what they show: the write back failed.
bool WriteBack(const DocumentCommand& c) {
    // After a switch to a part or drawing the active document is another
    // one; the values go only into the document they came from.
    const cad::ObjectRef document = CommandDocument(c.Watch);
    if (!document) {
        ShowUndoRefused(c.Ask);
        return true;
    }
    if (!EarlierWriteFinished(c.Write, c.Ask, MessageText::TypeNotReset)) {
        return false;
    }
    // The reset checks no feature; its line says so.
    PartWriteRequest reset;
    reset.Document = document;
    reset.Targets = RestoreTargets(c.Watch.Document.Values, c.Write.Program.Tables.ScaleFactor);
    reset.Action = JournalAction::Reset;
    reset.Before = CheckBefore::None;
    reset.FeaturesBefore = UncheckedFeatures(c.Ask.Texts);
    reset.CheckAfter = false;
    const PartWriteOutcome written = WritePart(c.Write, c.Watch.Cad, reset);
    return TellWhenNotLanded(c.Ask, written, MessageText::TypeNotReset);
}

void Reset(const DocumentCommand& c) {
    const ShownDocument& document = c.Watch.Document;
    if (!document.CadRunning || document.Name.empty()) {
        return; // no document shown
    }
    if (document.SheetMetal && document.ValuesKnown && !WriteBack(c)) {
        return;
    }
    ShowDocumentType(c.Lists, c.Write.Program.Tables, c.Watch.Document);
}

} // namespace

void ResetDocument(const DocumentCommand& c) {
    const WaitCursor wait(c.Pointer);
    Reset(c);
    ReportUnwrittenJournal(c.Write.Journal, c.Ask);
}

} // namespace psm
