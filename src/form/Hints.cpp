#include "form/Hints.h"

namespace psm {

int HintTextNumber(HintArea area) {
    switch (area) {
    case HintArea::CmdWrite:
        return 4;
    case HintArea::CmdUndo:
        return 5;
    case HintArea::CmdUndoWrite:
        return 6;
    case HintArea::CmdInfo:
        return 7;
    case HintArea::CmdEnd:
        return 8;
    case HintArea::Label1:
        return 10;
    case HintArea::Picture1:
        return 11;
    case HintArea::FreeArea:
        break;
    }
    return 0;
}

namespace {

HintArea AreaOf(ButtonId button) {
    switch (button) {
    case ButtonId::CmdWrite:
        return HintArea::CmdWrite;
    case ButtonId::CmdUndo:
        return HintArea::CmdUndo;
    case ButtonId::CmdUndoWrite:
        return HintArea::CmdUndoWrite;
    case ButtonId::CmdInfo:
        return HintArea::CmdInfo;
    case ButtonId::CmdEnd:
        break;
    }
    return HintArea::CmdEnd;
}

} // namespace

void NameButtons(const AppState& state, const Services& services) {
    for (const ButtonId button : {ButtonId::CmdWrite, ButtonId::CmdUndo, ButtonId::CmdUndoWrite,
                                  ButtonId::CmdInfo, ButtonId::CmdEnd}) {
        services.View.SetButtonName(button, state.Texts.Caption(HintTextNumber(AreaOf(button))));
    }
}

void ShowHint(const AppState& state, const Services& services, HintArea area) {
    const int number = HintTextNumber(area);
    services.View.SetStatusText(number == 0 ? std::string() : state.Texts.Caption(number));
}

} // namespace psm
