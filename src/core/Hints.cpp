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

void TrackHint(std::optional<CaptionText>& hint, MainControl control) {
    if (const auto over = HintOf(control)) {
        hint = over;
    } else if (control == MainControl::FreeArea) {
        hint.reset();
    }
}

} // namespace psm
