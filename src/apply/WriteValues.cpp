#include "apply/WriteValues.h"

#include "core/Boxes.h"

namespace psm {
namespace {

cad::WriteOutcome Write(AppState& state, const Services& services, const cad::ObjectRef& document,
                        bool restore) {
    return cad::WriteSheetMetalVariables(state.Variables, state.Cad, document, restore,
                                         state.Apply.NewValues, state.Tables.ScaleFactor,
                                         state.DecimalSeparator, services.Events);
}

} // namespace

cad::ObjectRef CommandDocument(const AppState& state) {
    return state.Watch.InPlaceEdit ? state.Cad.WorkDocument : state.Cad.ActiveDoc;
}

cad::WriteOutcome WriteNewValues(AppState& state, const Services& services,
                                 const cad::ObjectRef& document) {
    return Write(state, services, document, false);
}

std::optional<cad::WriteOutcome> WriteBackCurrentValues(AppState& state, const Services& services,
                                                        const cad::ObjectRef& document) {
    const cad::ObjectRef& source = state.Watch.ValuesDocument;
    if (!document || !source || !document->IsSameObject(*source)) {
        return std::nullopt;
    }
    return Write(state, services, document, true);
}

bool WriteLanded(const AppState& state, const Services& services, cad::WriteOutcome outcome,
                 MessageText notLanded) {
    if (outcome == cad::WriteOutcome::Written) {
        return true;
    }
    std::string text = state.Texts.Message(notLanded);
    if (outcome == cad::WriteOutcome::RestoreIncomplete) {
        text += "\r\n\r\n" + state.Texts.Message(MessageText::CheckPart);
    }
    ShowBox(state, services, text, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

} // namespace psm
