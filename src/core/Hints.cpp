#include "core/Hints.h"

namespace psm {

std::optional<CaptionText> HintOf(MainControl control) {
    switch (control) {
    case MainControl::WriteButton:
        return CaptionText::WriteHint;
    case MainControl::ResetListButton:
        return CaptionText::ResetListHint;
    case MainControl::ResetButton:
        return CaptionText::ResetSheetMetalHint;
    case MainControl::PropertiesButton:
        return CaptionText::PropertiesHint;
    case MainControl::ExitButton:
        return CaptionText::ExitHint;
    case MainControl::DocumentLabel:
        return CaptionText::DocumentHint;
    case MainControl::ListPanel:
        return CaptionText::ListsHint;
    case MainControl::TableList:
    case MainControl::TypeList:
    case MainControl::StatusBar:
    case MainControl::FreeArea:
        break;
    }
    return std::nullopt;
}

void TrackHint(AppState& state, MainControl control) {
    if (const auto hint = HintOf(control)) {
        state.Hint = hint;
    } else if (control == MainControl::FreeArea) {
        state.Hint.reset();
    }
}

} // namespace psm
