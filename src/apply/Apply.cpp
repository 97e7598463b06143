#include "apply/Apply.h"

#include "apply/Journal.h"
#include "apply/WaitCursor.h"
#include "apply/WriteValues.h"
#include "cad/CadIds.h"
#include "cad/FeatureCheck.h"
#include "core/Boxes.h"
#include "platform/NumberText.h"
#include "selection/Selection.h"
#include "tables/CadUnits.h"

namespace psm {
namespace {

const std::string CrLf = "\r\n";

// The feature lines of the last check, a blank line and the question or notice.
std::string FeatureReport(const AppState& state, MessageText closing) {
    return state.Features.FeatureMessage + CrLf + CrLf + state.Texts.Message(closing);
}

// A value of the chosen type holds the other decimal separator.
void ShowWrongSeparator(const AppState& state, const Services& services) {
    ShowBox(state, services, state.Texts.Message(MessageText::InvalidInput), MessageButtons::Ok,
            MessageIcon::Critical);
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
                   MessageButtons::OkCancel, MessageIcon::Exclamation) == MessageAnswer::Ok &&
           !Ended(state);
}

// Features fail after the write: true when the user wants the earlier values back.
bool ConfirmUndo(const AppState& state, const Services& services) {
    return ShowBox(state, services, FeatureReport(state, MessageText::UndoQuestion),
                   MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes &&
           !Ended(state);
}

// Features still fail after the write back: the part needs checking.
void ShowCheckPart(const AppState& state, const Services& services, MessageText title) {
    ShowBox(state, services, FeatureReport(state, MessageText::CheckPart), MessageButtons::Ok,
            MessageIcon::Exclamation, title);
}

bool Check(AppState& state, const cad::ObjectRef& document) {
    return cad::CheckFeatureStatus(state.Features, document, state.Texts);
}

// Journals a write that returned with `write.Outcome`, with the features
// checked after it if it landed. True when it landed and they are healthy.
bool CheckAndJournal(AppState& state, const Services& services, const cad::ObjectRef& document,
                     JournalledWrite& write) {
    // Taken before the check: its pending events may run a command that
    // writes a report of its own.
    write.Report = state.Variables.LastWrite;
    const bool checked = !Ended(state) && write.Outcome == cad::WriteOutcome::Written;
    const bool healthy = checked && Check(state, document);
    write.FeaturesAfter = checked ? CheckedFeatures(state.Features) : UncheckedFeatures(state);
    JournalWrite(state, services, document, write);
    return healthy;
}

enum class Before { Clean, FailingInPlace, FailingActive };

// Writes the new values and, when features then fail and the user agrees,
// the earlier ones back. True when the earlier values are back. Each write
// that changes the part is journalled with the checks around it.
bool WriteAndOfferUndo(AppState& state, const Services& services, const cad::ObjectRef& document,
                       Before before) {
    JournalledWrite write;
    write.FeaturesBefore = CheckedFeatures(state.Features);
    write.Outcome = WriteNewValues(state, services, document);
    const bool healthy = CheckAndJournal(state, services, document, write);
    if (Ended(state) || !WriteLanded(state, services, write.Outcome, MessageText::TypeNotSet) ||
        healthy) {
        return false;
    }
    // In the active document a copied part alone leaves no lines to show.
    if (before == Before::FailingActive && state.Features.FeatureMessage.empty()) {
        return false;
    }
    JournalledWrite writeBack;
    writeBack.Action = JournalAction::WrittenBack;
    writeBack.FeaturesBefore = write.FeaturesAfter;
    if (!ConfirmUndo(state, services)) {
        return false;
    }
    const auto restored = WriteBackCurrentValues(state, services, document);
    if (!restored) {
        // The new values stay, and so do the lists that show them.
        if (!Ended(state)) {
            ShowUndoRefused(state, services);
        }
        return false;
    }
    writeBack.Outcome = *restored;
    const bool healthyBack = CheckAndJournal(state, services, document, writeBack);
    if (Ended(state) || !WriteLanded(state, services, *restored, MessageText::TypeNotReset)) {
        return false;
    }
    if (!healthyBack) {
        ShowCheckPart(state, services,
                      before == Before::Clean ? MessageText::Title : MessageText::CheckPart);
    }
    return !Ended(state);
}

bool SheetMetalDocumentActive(const cad::CadConnection& cad) {
    return cad.ActiveDocType == cad::ids::SheetMetalDocumentType ||
           (cad.ActiveDocType == cad::ids::AssemblyDocumentType &&
            cad.WorkDocType == cad::ids::SheetMetalDocumentType);
}

} // namespace

int ConvertSelectedValueCount(AppState& state, const Services& services) {
    const int row = state.Selection.SelectedTypeRow;
    if (row == 0) {
        return 0;
    }
    const char wrongSeparator = state.DecimalSeparator == '.' ? ',' : '.';
    const TypeRow& type = state.Tables.Type(row);
    int converted = 0;
    for (const SheetValue value : SheetValues) {
        const std::string& text = type.Value(value);
        for (const char c : text) {
            if (c == wrongSeparator) {
                ShowWrongSeparator(state, services);
                if (Ended(state)) {
                    return converted;
                }
            }
        }
        const auto number = TextToNumber(text, state.DecimalSeparator);
        const auto cadValue =
            number ? CadValue(value, *number, state.Tables.ScaleFactor) : std::nullopt;
        if (!cadValue) {
            return converted;
        }
        state.Apply.NewValues[IndexOf(value)] = NumberToText(*cadValue, state.DecimalSeparator);
        ++converted;
    }
    return converted;
}

bool ConvertSelectedValues(AppState& state, const Services& services) {
    return ConvertSelectedValueCount(state, services) == 5;
}

void cmdWrite_Click(AppState& state, const Services& services) {
    ApplySelectedType(state, services);
}

namespace {

void WriteChosenType(AppState& state, const Services& services) {
    if (!SheetMetalDocumentActive(state.Cad)) {
        return;
    }
    // One document for the whole command: the one shown, and only once its
    // values are known.
    const cad::ObjectRef document = CommandDocument(state);
    if (!document) {
        return;
    }
    // The type the lists show is the one written; with none shown, nothing is.
    TakeShownType(state);
    if (!ConvertSelectedValues(state, services)) {
        if (!Ended(state) && state.Selection.SelectedTypeRow != 0) {
            ShowInvalidInput(state, services);
        }
        return;
    }
    if (!EarlierWriteFinished(state, services, MessageText::TypeNotSet)) {
        return;
    }
    bool wroteBack = false;
    if (Check(state, document)) {
        wroteBack = WriteAndOfferUndo(state, services, document, Before::Clean);
    } else if (state.Watch.InPlaceEdit) {
        if (state.Features.CopiedPartFound) {
            ShowCopiedPart(state, services);
            return;
        }
        if (!ConfirmExecute(state, services)) {
            return;
        }
        wroteBack = WriteAndOfferUndo(state, services, document, Before::FailingInPlace);
    } else {
        if (!state.Features.FeatureMessage.empty() && !ConfirmExecute(state, services)) {
            return;
        }
        wroteBack = WriteAndOfferUndo(state, services, document, Before::FailingActive);
    }
    if (!wroteBack) {
        return;
    }
    const ListsFilledByProgram filling(state);
    ShowCurrentType(state, services);
}

} // namespace

void ApplySelectedType(AppState& state, const Services& services) {
    const CommandScope command(state);
    const WaitCursor wait(services.Pointer);
    WriteChosenType(state, services);
    ReportUnwrittenJournal(state, services);
}

} // namespace psm
