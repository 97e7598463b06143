#include "apply/WriteValues.h"

#include "apply/Journal.h"
#include "core/Boxes.h"

namespace psm {
namespace {

const std::string BlankLine = "\r\n\r\n";

cad::WriteOutcome Write(AppState& state, const Services& services, const cad::ObjectRef& document,
                        bool restore) {
    return cad::WriteSheetMetalVariables(state.Variables, state.Cad, document, restore,
                                         state.Apply.NewValues, state.Tables.ScaleFactor,
                                         state.DecimalSeparator, services.Events);
}

bool SameObject(const cad::ObjectRef& a, const cad::ObjectRef& b) {
    return a && b && a->IsSameObject(*b);
}

// Puts back what waits; journals the put-backs once they have all landed.
cad::PendingOutcome Finish(AppState& state, const Services& services) {
    cad::PendingRestore& pending = state.Variables.Pending;
    if (pending.Empty()) {
        return cad::PendingOutcome::Done;
    }
    const cad::PendingOutcome outcome = cad::FinishPending(pending);
    if (outcome == cad::PendingOutcome::Done && pending.PutBackSome) {
        JournalledWrite line;
        line.Action = JournalAction::WrittenBack;
        line.Outcome = cad::WriteOutcome::Written;
        line.Report.Before = pending.Report.After;
        line.Report.After = pending.Now;
        line.Report.Target = pending.Report.Before;
        line.Report.Changed = true;
        line.FeaturesBefore = line.FeaturesAfter = UncheckedFeatures(state);
        JournalWrite(state, services, pending.Document, line);
    }
    if (outcome == cad::PendingOutcome::Done) {
        pending = cad::PendingRestore{};
    }
    return outcome;
}

} // namespace

cad::ObjectRef CommandDocument(const AppState& state) {
    const ShownDocument& shown = state.Watch.Shown;
    const cad::ObjectRef& worked =
        state.Watch.InPlaceEdit ? state.Cad.WorkDocument : state.Cad.ActiveDoc;
    if (!shown.ValuesKnown || !SameObject(worked, shown.Object)) {
        return nullptr;
    }
    return shown.Object;
}

bool EarlierWriteFinished(AppState& state, const Services& services, MessageText notLanded) {
    if (Finish(state, services) == cad::PendingOutcome::Done) {
        return true;
    }
    ShowBox(state, services,
            state.Texts.Message(notLanded) + BlankLine +
                state.Texts.Message(MessageText::RecomputeHeld),
            MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

void FinishWaitingWrite(AppState& state, const Services& services) {
    (void)Finish(state, services);
}

cad::WriteOutcome WriteNewValues(AppState& state, const Services& services,
                                 const cad::ObjectRef& document) {
    return Write(state, services, document, false);
}

std::optional<cad::WriteOutcome> WriteBackCurrentValues(AppState& state, const Services& services,
                                                        const cad::ObjectRef& document) {
    const ShownDocument& source = state.Watch.Shown;
    if (!source.ValuesKnown || !SameObject(document, source.Object)) {
        return std::nullopt;
    }
    return Write(state, services, document, true);
}

void ShowUndoRefused(const AppState& state, const Services& services) {
    ShowBox(state, services, state.Texts.Message(MessageText::UndoRefused), MessageButtons::Ok,
            MessageIcon::Exclamation);
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

} // namespace psm
