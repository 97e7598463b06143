#include "apply/DocumentWrite.h"

#include "core/Boxes.h"
#include "core/Present.h"
#include "core/WaitingWrite.h"

namespace psm {
namespace {

const std::string BlankLine = "\r\n\r\n";

bool SameObject(const cad::ObjectRef& a, const cad::ObjectRef& b) {
    return a && b && a->IsSameObject(*b);
}

} // namespace

cad::ObjectRef CommandDocument(const AppState& state) {
    const ShownDocument& shown = state.Document;
    const cad::ObjectRef& worked = shown.InPlaceEdit ? state.Cad.WorkDocument : state.Cad.ActiveDoc;
    if (!shown.ValuesKnown || !SameObject(worked, shown.Object)) {
        return nullptr;
    }
    return shown.Object;
}

bool EarlierWriteFinished(AppState& state, const Services& services, MessageText notLanded) {
    if (FinishWaitingWrite(state, services)) {
        return true;
    }
    ShowBox(state, services,
            state.Texts.Message(notLanded) + BlankLine +
                state.Texts.Message(MessageText::RecomputeHeld),
            MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

WrittenStep WriteAndJournal(AppState& state, const Services& services,
                            const cad::ObjectRef& document, const cad::CadValues& targets,
                            const WriteStep& step) {
    WrittenStep written;
    written.Outcome = cad::WriteSheetMetalVariables(state.Variables, state.Cad, document, targets,
                                                    state.Tables.ScaleFactor, services.Events);
    const bool checked = step.CheckFeatures && written.Outcome == cad::WriteOutcome::Written;
    written.Healthy = checked && cad::CheckFeatureStatus(state.Features, document);
    written.FeaturesAfter =
        checked ? FeatureCell(state.Features.Findings, state.Texts) : UncheckedFeatures(state);
    JournalledWrite line;
    line.Action = step.Action;
    line.Outcome = written.Outcome;
    line.Report = state.Variables.LastWrite;
    line.FeaturesBefore = step.FeaturesBefore;
    line.FeaturesAfter = written.FeaturesAfter;
    JournalWrite(state, services, document, line);
    return written;
}

bool WriteLanded(const AppState& state, const Services& services, cad::WriteOutcome outcome,
                 MessageText notLanded) {
    const bool held = state.Variables.LastWrite.HoldPending;
    if (outcome == cad::WriteOutcome::Written) {
        if (held) {
            ShowBox(state, services, state.Texts.Message(MessageText::RecomputeHeld),
                    MessageButtons::Ok, MessageIcon::Exclamation);
        }
        return true;
    }
    std::string text = state.Texts.Message(notLanded);
    if (outcome == cad::WriteOutcome::RestoreIncomplete) {
        text += BlankLine + state.Texts.Message(MessageText::CheckPart);
    }
    if (held) {
        text += BlankLine + state.Texts.Message(MessageText::RecomputeHeld);
    }
    ShowBox(state, services, text, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

void ShowUndoRefused(const AppState& state, const Services& services) {
    ShowBox(state, services, state.Texts.Message(MessageText::UndoRefused), MessageButtons::Ok,
            MessageIcon::Exclamation);
}

} // namespace psm
