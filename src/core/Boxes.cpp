#include "core/Boxes.h"

namespace psm {

MessageAnswer ShowBox(const AppState& state, const Services& services, const std::string& text,
                      MessageButtons buttons, MessageIcon icon, MessageText title) {
    return services.Boxes.ShowMessage(text, state.Texts.Message(title), buttons, icon);
}

} // namespace psm
