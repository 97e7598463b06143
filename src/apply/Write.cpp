#include "apply/Write.h"

#include "apply/DocumentWrite.h"
#include "apply/WaitCursor.h"
#include "core/Boxes.h"
#include "core/DocumentValues.h"
#include "core/Lists.h"
#include "core/Present.h"

namespace psm {
namespace {

using cad::DocumentKind;

// The features found by the last check, a blank line and the question or notice.
std::string FeatureReport(const AppState& state, MessageText closing) {
    return FeatureLines(state.Features.Findings, state.Texts) + "\r\n\r\n" +
           state.Texts.Message(closing);
}

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

// Features fail already: true when the user chose to write all the same.
bool ConfirmExecute(const AppState& state, const Services& services) {
    return ShowBox(state, services, FeatureReport(state, MessageText::ExecuteQuestion),
                   MessageButtons::OkCancel, MessageIcon::Exclamation) == MessageAnswer::Ok;
}

// Features fail after the write: true when the user wants the earlier values back.
bool ConfirmUndo(const AppState& state, const Services& services) {
    return ShowBox(state, services, FeatureReport(state, MessageText::UndoQuestion),
                   MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes;
}

// Features still fail after the write back: the part needs checking.
void ShowCheckPart(const AppState& state, const Services& services, MessageText title) {
    ShowBox(state, services, FeatureReport(state, MessageText::CheckPart), MessageButtons::Ok,
            MessageIcon::Exclamation, title);
}

enum class Before { Clean, FailingInPlace, FailingActive };

// Writes the type and, when features then fail and the user agrees, the
// earlier values back. True when the earlier values are back.
bool WriteAndOfferUndo(AppState& state, const Services& services, const cad::ObjectRef& document,
                       const cad::CadValues& targets, Before before) {
    const WriteStep write{JournalAction::Written, true,
                          FeatureCell(state.Features.Findings, state.Texts)};
    const WrittenStep written = WriteAndJournal(state, services, document, targets, write);
    if (!WriteLanded(state, services, written.Outcome, MessageText::TypeNotSet) ||
        written.Healthy) {
        return false;
    }
    // In the active document a copied part alone leaves no lines to show.
    if (before == Before::FailingActive && state.Features.Findings.empty()) {
        return false;
    }
    if (!ConfirmUndo(state, services)) {
        return false;
    }
    if (CommandDocument(state) != document) {
        // The new values stay, and so do the lists that show them.
        ShowUndoRefused(state, services);
        return false;
    }
    const WriteStep writeBack{JournalAction::WrittenBack, true, written.FeaturesAfter};
    const WrittenStep back =
        WriteAndJournal(state, services, document,
                        RestoreTargets(state.Document.Values, state.Tables.ScaleFactor), writeBack);
    if (!WriteLanded(state, services, back.Outcome, MessageText::TypeNotReset)) {
        return false;
    }
    if (!back.Healthy) {
        ShowCheckPart(state, services,
                      before == Before::Clean ? MessageText::Title : MessageText::CheckPart);
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
    bool wroteBack = false;
    if (cad::CheckFeatureStatus(state.Features, document)) {
        wroteBack = WriteAndOfferUndo(state, services, document, targets.Values, Before::Clean);
    } else if (state.Document.InPlaceEdit) {
        if (state.Features.CopiedPartFound) {
            ShowCopiedPart(state, services);
            return;
        }
        if (!ConfirmExecute(state, services)) {
            return;
        }
        wroteBack =
            WriteAndOfferUndo(state, services, document, targets.Values, Before::FailingInPlace);
    } else {
        if (!state.Features.Findings.empty() && !ConfirmExecute(state, services)) {
            return;
        }
        wroteBack =
            WriteAndOfferUndo(state, services, document, targets.Values, Before::FailingActive);
    }
    if (wroteBack) {
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
