#include "form/Hints.h"

namespace psm {

std::optional<CaptionText> HintOf(MainControl control) {
    switch (control) {
    case MainControl::CmdWrite:
        return CaptionText::WriteHint;
    case MainControl::CmdUndo:
        return CaptionText::ResetListHint;
    case MainControl::CmdUndoWrite:
        return CaptionText::ResetSheetMetalHint;
    case MainControl::CmdInfo:
        return CaptionText::PropertiesHint;
    case MainControl::CmdEnd:
        return CaptionText::ExitHint;
    case MainControl::Label1:
        return CaptionText::DocumentHint;
    case MainControl::Picture1:
        return CaptionText::ListsHint;
    case MainControl::Combo1:
    case MainControl::Combo2:
    case MainControl::StatusBar1:
    case MainControl::Form:
        break;
    }
    return std::nullopt;
}

void NameButtons(const AppState& state, const Services& services) {
    for (const MainControl button : PictureButtons) {
        services.View.SetButtonName(button, state.Texts.Caption(*HintOf(button)));
    }
}

void ShowHint(AppState& state, const Services& services, MainControl control) {
    if (const auto hint = HintOf(control)) {
        state.StatusHint = hint;
        services.View.SetStatusText(state.Texts.Caption(*hint));
    } else if (control == MainControl::Form) {
        state.StatusHint.reset();
        services.View.SetStatusText(std::string());
    }
}

} // namespace psm
