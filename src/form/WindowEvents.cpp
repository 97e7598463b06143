#include "form/WindowEvents.h"

#include "options/OptionsMenu.h"

namespace psm {

void Form_Activate(AppState&, const Services& services) {
    if (services.Info.Visible()) {
        services.Info.Destroy();
    }
}

void Form_MouseDown(AppState& state, const Services& services, MouseButton button) {
    if (button != MouseButton::Right) {
        return;
    }
    const std::optional<MenuCommand> chosen =
        services.View.ShowPopupMenu(PopupMenuItems(state.Menu, state.Texts.LanguageIndex));
    if (chosen && !Ended(state)) {
        RunMenuCommand(state, services, *chosen);
    }
}

} // namespace psm
