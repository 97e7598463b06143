#include "apply/Properties.h"

#include "core/Lists.h"
#include "core/PropertiesPresenter.h"

namespace psm {
namespace {

void Place(const Services& services) {
    services.Properties.MoveWindow(PropertiesWindowPlace(
        services.View.ScreenFrame(), services.Properties.Width(), services.View.ScreenWidth()));
}

} // namespace

TwipsRect PropertiesWindowPlace(const TwipsRect& mainFrame, int32_t infoWidth,
                                int32_t screenWidth) {
    const int32_t free = screenWidth - mainFrame.Left - mainFrame.Width;
    const int32_t left =
        free > RightSideMinimum ? mainFrame.Left + mainFrame.Width : mainFrame.Left - infoWidth;
    return TwipsRect{left, mainFrame.Top, infoWidth, mainFrame.Height};
}

void ShowProperties(AppState& state, const Services& services) {
    PropertiesView& info = services.Properties;
    info.CreateHidden();
    if (ShownTypeRow(state) != 0) {
        state.TypeChosen = true; // the type the window shows is the one a write then acts on
    }
    const std::optional<PropertiesViewModel> model = PresentProperties(state);
    if (!model) {
        return;
    }
    Place(services);
    info.Show(*model);
}

void CloseProperties(AppState&, const Services& services) {
    services.Properties.Destroy();
    services.View.Focus();
}

} // namespace psm
