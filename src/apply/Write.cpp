#include "apply/Write.h"

#include "apply/DocumentWrite.h"
#include "apply/WaitCursor.h"
#include "apply/WriteTexts.h"
#include "core/DocumentValues.h"
#include "lists/Lists.h"

namespace psm {
namespace {

using cad::DocumentKind;

// A value of the chosen type cannot be converted.
void ShowInvalidInput(const DocumentCommand& c) {
    c.Ask.Show(c.Ask.Texts.Message(MessageText::InvalidInput), MessageButtons::Ok,
               MessageIcon::Exclamation);
}

// The part edited in place holds a copied part.
void ShowCopiedPart(const DocumentCommand& c) {
    c.Ask.Show(c.Ask.Texts.Message(MessageText::CopiedPart), MessageButtons::Ok,
               MessageIcon::Exclamation);
}

// Features fail already, or could not be checked: true when the user chose to
// write all the same.
bool ConfirmExecute(const DocumentCommand& c, const cad::FeatureCheck& check) {
    return c.Ask.Show(FeatureReport(c.Ask.Texts, check, MessageText::ExecuteQuestion),
                      MessageButtons::OkCancel, MessageIcon::Exclamation) == MessageAnswer::Ok;
}

// Features fail after the write, or could not be checked: true when the user
// wants the earlier values back.
bool ConfirmUndo(const DocumentCommand& c, const cad::FeatureCheck& check) {
    return c.Ask.Show(FeatureReport(c.Ask.Texts, check, MessageText::UndoQuestion),
                      MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes;
}

// Features still fail after the write back: the part needs checking.
void ShowCheckPart(const DocumentCommand& c, const cad::FeatureCheck& check, MessageText title) {
    c.Ask.Show(FeatureReport(c.Ask.Texts, check, MessageText::CheckPart), MessageButtons::Ok,
               MessageIcon::Exclamation, title);
}

// Whether a check before the write that is not clean lets the write go on:
// a copied part edited in place never does; in the active document a copied
// part alone is no reason to ask.
bool WriteDespite(const DocumentCommand& c, const cad::FeatureCheck& check) {
    if (c.Watch.Document.InPlaceEdit && check.CopiedPartFound) {
        ShowCopiedPart(c);
        return false;
    }
    if (!c.Watch.Document.InPlaceEdit && check.Complete && check.Findings.empty()) {
        return true;
    }
    return ConfirmExecute(c, check);
}

// Whether the user is asked to have the earlier values back after a write.
bool OfferUndo(const DocumentCommand& c, const PartWriteOutcome& written) {
    if (written.Result == PartWriteResult::WrittenUnchecked) {
        return true;
    }
    if (written.Result != PartWriteResult::WrittenFailing) {
        return false;
    }
    // In the active document a copied part alone leaves no lines to show.
    return c.Watch.Document.InPlaceEdit || !written.After.Findings.empty();
}

// Writes the type and, when features then fail or could not be checked and
// the user agrees, the earlier values back. True when the earlier values are back.
bool WriteAndOfferUndo(const DocumentCommand& c, const cad::ObjectRef& document,
                       const cad::CadValues& targets) {
    PartWriteRequest write;
    write.Document = document;
    write.Targets = targets;
    write.ConfirmDespite = [&](const cad::FeatureCheck& check) { return WriteDespite(c, check); };
    const PartWriteOutcome written = WritePart(c.Write, c.Watch.Cad, write);
    if (written.Declined) {
        return false; // the user, or the copied part, said no
    }
    if (!TellWhenNotLanded(c.Ask, written, MessageText::TypeNotSet) || !OfferUndo(c, written)) {
        return false;
    }
    if (!ConfirmUndo(c, written.After)) {
        return false;
    }
    if (CommandDocument(c.Watch) != document) {
        // The new values stay, and so do the lists that show them.
        ShowUndoRefused(c.Ask);
        return false;
    }
    PartWriteRequest writeBack;
    writeBack.Document = document;
    writeBack.Targets = RestoreTargets(c.Watch.Document.Values, c.Write.Program.Tables.ScaleFactor);
    writeBack.Action = JournalAction::WrittenBack;
    writeBack.Before = CheckBefore::None;
    writeBack.FeaturesBefore = FeaturesCell(c.Ask.Texts, written.After, true);
    const PartWriteOutcome back = WritePart(c.Write, c.Watch.Cad, writeBack);
    if (!TellWhenNotLanded(c.Ask, back, MessageText::TypeNotReset)) {
        return false;
    }
    if (back.Result != PartWriteResult::Written) {
        const bool wasClean =
            written.CheckedBefore && written.Before.Complete && written.Before.Healthy();
        ShowCheckPart(c, back.After, wasClean ? MessageText::Title : MessageText::CheckPart);
    }
    return true;
}

bool SheetMetalDocumentActive(const cad::CadConnection& cad) {
    return cad.ActiveKind == DocumentKind::SheetMetal ||
           (cad.ActiveKind == DocumentKind::Assembly && cad.WorkKind == DocumentKind::SheetMetal);
}

void WriteType(const DocumentCommand& c) {
    if (!SheetMetalDocumentActive(c.Watch.Cad)) {
        return;
    }
    // One document for the whole command: the one shown, and only once its
    // values are known.
    const cad::ObjectRef document = CommandDocument(c.Watch);
    if (!document) {
        return;
    }
    // The type the lists show is the one written; with none shown, or none
    // chosen since start, nothing is.
    const int row = c.Lists.ChosenTypeRow();
    if (row == 0) {
        return;
    }
    const TypeTargets targets =
        TargetsOfType(c.Write.Program.Tables.Type(row), c.Write.Program.Tables.ScaleFactor);
    if (!targets.Whole()) {
        ShowInvalidInput(c);
        return;
    }
    if (!EarlierWriteFinished(c.Write, c.Ask, MessageText::TypeNotSet)) {
        return;
    }
    if (WriteAndOfferUndo(c, document, targets.Values)) {
        ShowDocumentType(c.Lists, c.Write.Program.Tables, c.Watch.Document);
    }
}

} // namespace

void WriteChosenType(const DocumentCommand& c) {
    const WaitCursor wait(c.Pointer);
    WriteType(c);
    ReportUnwrittenJournal(c.Write.Journal, c.Ask);
}

} // namespace psm
