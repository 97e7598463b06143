#include "apply/DocumentWrite.h"

#include "apply/WriteTexts.h"
#include "core/Boxes.h"
#include "core/Present.h"
#include "core/WaitingWrite.h"

namespace psm {
namespace {

const std::string BlankLine = "\r\n\r\n";

} // namespace

cad::ObjectRef CommandDocument(const AppState& state) {
    const ShownDocument& shown = state.Document;
    const cad::ObjectRef& worked = shown.InPlaceEdit ? state.Cad.WorkDocument : state.Cad.ActiveDoc;
    if (!shown.ValuesKnown || !cad::SameObject(worked, shown.Object)) {
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

bool TellWhenNotLanded(const AppState& state, const Services& services,
                       const PartWriteOutcome& outcome, MessageText notLanded) {
    const std::string text = NotLandedText(state.Texts, outcome, notLanded);
    if (!text.empty()) {
        ShowBox(state, services, text, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return Landed(outcome.Result);
}

void ShowUndoRefused(const AppState& state, const Services& services) {
    ShowBox(state, services, state.Texts.Message(MessageText::UndoRefused), MessageButtons::Ok,
            MessageIcon::Exclamation);
}

} // namespace psm
