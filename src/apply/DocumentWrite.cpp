#include "apply/DocumentWrite.h"

#include "apply/WaitingWrite.h"
#include "apply/WriteTexts.h"

namespace psm {
namespace {

const std::string BlankLine = "\r\n\r\n";

} // namespace

cad::ObjectRef CommandDocument(const WatchState& watch) {
    const ShownDocument& shown = watch.Document;
    const cad::ObjectRef& worked = shown.InPlaceEdit ? watch.Cad.WorkDocument : watch.Cad.ActiveDoc;
    if (!shown.ValuesKnown || !cad::SameObject(worked, shown.Object)) {
        return nullptr;
    }
    return shown.Object;
}

bool EarlierWriteFinished(const Writer& writer, const Asking& ask, MessageText notLanded) {
    if (FinishWaitingWrite(writer)) {
        return true;
    }
    ask.Show(ask.Texts.Message(notLanded) + BlankLine +
                 ask.Texts.Message(MessageText::RecomputeHeld),
             MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

bool TellWhenNotLanded(const Asking& ask, const PartWriteOutcome& outcome, MessageText notLanded) {
    const std::string text = NotLandedText(ask.Texts, outcome, notLanded);
    if (!text.empty()) {
        ask.Show(text, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return Landed(outcome.Result);
}

void ShowUndoRefused(const Asking& ask) {
    ask.Show(ask.Texts.Message(MessageText::UndoRefused), MessageButtons::Ok,
             MessageIcon::Exclamation);
}

} // namespace psm
