#include "app/Hints.h"

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

void ShowHint(const AppState& state, const Services& services, HintArea area) {
    const int number = HintTextNumber(area);
    services.View.SetStatusText(number == 0 ? std::string() : state.Texts.Caption(number));
}

} // namespace psm
