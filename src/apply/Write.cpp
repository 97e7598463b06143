#include "apply/Write.h"

#include "apply/DocumentWrite.h"
#include "apply/WaitCursor.h"
#include "apply/WriteTexts.h"
#include "core/Boxes.h"
#include "core/DocumentValues.h"
#include "core/Journal.h"
#include "core/Lists.h"
#include "core/Present.h"

namespace psm {
namespace {

using cad::DocumentKind;

// A value of the chosen type cannot be converted.
void ShowInvalidInput(const AppState& state, const Services& services) {
    ShowBox(state, services, state.Texts.Message(MessageText::InvalidInput), MessageButtons::Ok,
            MessageIcon::Exclamation);
}

// The part edited in place holds a copied part.
void ShowCopiedPart(const AppState& state, const Services& services) {
    ShowBox(state, services, state.Texts.Message(MessageText::CopiedPart), MessageButtons::Ok,
            MessageIcon::Exclamation);
}

// Features fail already, or could not be checked: true when the user chose to
// write all the same.
bool ConfirmExecute(const AppState& state, const Services& services,
                    const cad::FeatureCheck& check) {
    return ShowBox(state, services, FeatureReport(state.Texts, check, MessageText::ExecuteQuestion),
                   MessageButtons::OkCancel, MessageIcon::Exclamation) == MessageAnswer::Ok;
}

// Features fail after the write, or could not be checked: true when the user
// wants the earlier values back.
bool ConfirmUndo(const AppState& state, const Services& services, const cad::FeatureCheck& check) {
    return ShowBox(state, services, FeatureReport(state.Texts, check, MessageText::UndoQuestion),
                   MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes;
}

// Features still fail after the write back: the part needs checking.
void ShowCheckPart(const AppState& state, const Services& services, const cad::FeatureCheck& check,
                   MessageText title) {
    ShowBox(state, services, FeatureReport(state.Texts, check, MessageText::CheckPart),
            MessageButtons::Ok, MessageIcon::Exclamation, title);
}

// Whether a check before the write that is not clean lets the write go on:
// a copied part edited in place never does; in the active document a copied
// part alone is no reason to ask.
bool WriteDespite(const AppState& state, const Services& services, const cad::FeatureCheck& check) {
    if (state.Document.InPlaceEdit && check.CopiedPartFound) {
        ShowCopiedPart(state, services);
        return false;
    }
    if (!state.Document.InPlaceEdit && check.Complete && check.Findings.empty()) {
        return true;
    }
    return ConfirmExecute(state, services, check);
}

// Whether the user is asked to have the earlier values back after a write.
bool OfferUndo(const AppState& state, const PartWriteOutcome& written) {
    if (written.Result == PartWriteResult::WrittenUnchecked) {
        return true;
    }
    if (written.Result != PartWriteResult::WrittenFailing) {
        return false;
    }
    // In the active document a copied part alone leaves no lines to show.
    return state.Document.InPlaceEdit || !written.After.Findings.empty();
}

// Writes the type and, when features then fail or could not be checked and
// the user agrees, the earlier values back. True when the earlier values are back.
bool WriteAndOfferUndo(AppState& state, const Services& services, const cad::ObjectRef& document,
                       const cad::CadValues& targets) {
    PartWriteRequest write;
    write.Document = document;
    write.Targets = targets;
    write.ConfirmDespite = [&](const cad::FeatureCheck& check) {
        return WriteDespite(state, services, check);
    };
    const PartWriteOutcome written = WritePart(state, services, state.Cad, write);
    if (written.Declined) {
        return false; // the user, or the copied part, said no
    }
    if (!TellWhenNotLanded(state, services, written, MessageText::TypeNotSet) ||
        !OfferUndo(state, written)) {
        return false;
    }
    if (!ConfirmUndo(state, services, written.After)) {
        return false;
    }
    if (CommandDocument(state) != document) {
        // The new values stay, and so do the lists that show them.
        ShowUndoRefused(state, services);
        return false;
    }
    PartWriteRequest writeBack;
    writeBack.Document = document;
    writeBack.Targets = RestoreTargets(state.Document.Values, state.Tables.ScaleFactor);
    writeBack.Action = JournalAction::WrittenBack;
    writeBack.Before = CheckBefore::None;
    writeBack.FeaturesBefore = FeaturesCell(state, written.After, true);
    const PartWriteOutcome back = WritePart(state, services, state.Cad, writeBack);
    if (!TellWhenNotLanded(state, services, back, MessageText::TypeNotReset)) {
        return false;
    }
    if (back.Result != PartWriteResult::Written) {
        const bool wasClean =
            written.CheckedBefore && written.Before.Complete && written.Before.Healthy();
        ShowCheckPart(state, services, back.After,
                      wasClean ? MessageText::Title : MessageText::CheckPart);
    }
    return true;
}

bool SheetMetalDocumentActive(const cad::CadConnection& cad) {
    return cad.ActiveKind == DocumentKind::SheetMetal ||
           (cad.ActiveKind == DocumentKind::Assembly && cad.WorkKind == DocumentKind::SheetMetal);
}

void WriteType(AppState& state, const Services& services) {
    if (!SheetMetalDocumentActive(state.Cad)) {
        return;
    }
    // One document for the whole command: the one shown, and only once its
    // values are known.
    const cad::ObjectRef document = CommandDocument(state);
    if (!document) {
        return;
    }
    // The type the lists show is the one written; with none shown, or none
    // chosen since start, nothing is.
    const int row = ChosenTypeRow(state);
    if (row == 0) {
        return;
    }
    const TypeTargets targets = TargetsOfType(state.Tables.Type(row), state.Tables.ScaleFactor);
    if (!targets.Whole()) {
        ShowInvalidInput(state, services);
        return;
    }
    if (!EarlierWriteFinished(state, services, MessageText::TypeNotSet)) {
        return;
    }
    if (WriteAndOfferUndo(state, services, document, targets.Values)) {
        ShowDocumentType(state);
    }
}

} // namespace

void WriteChosenType(AppState& state, const Services& services) {
    const WaitCursor wait(services.Pointer);
    WriteType(state, services);
    ReportUnwrittenJournal(state, services);
}

} // namespace psm
