#include "core/Boxes.h"

namespace psm {

MessageAnswer ShowBox(const AppState& state, const Services& services, const std::string& text,
                      MessageButtons buttons, MessageIcon icon, MessageText title) {
    if (Ended(state)) {
        switch (buttons) {
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::Ok:
            break;
        }
        return MessageAnswer::Ok;
    }
    return services.Boxes.ShowMessage(text, state.Texts.Message(title), buttons, icon);
}

} // namespace psm
