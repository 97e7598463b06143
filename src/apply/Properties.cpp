#include "apply/Properties.h"

#include "core/Lists.h"
#include "core/PropertiesPresenter.h"

namespace psm {
namespace {

void Place(const Services& services) {
    services.Info.MoveWindow(InfoWindowPlace(services.View.ScreenFrame(), services.Info.Width(),
                                             services.View.ScreenWidth()));
}

} // namespace

TwipsRect InfoWindowPlace(const TwipsRect& mainFrame, int32_t infoWidth, int32_t screenWidth) {
    const int32_t free = screenWidth - mainFrame.Left - mainFrame.Width;
    const int32_t left =
        free > RightSideMinimum ? mainFrame.Left + mainFrame.Width : mainFrame.Left - infoWidth;
    return TwipsRect{left, mainFrame.Top, infoWidth, mainFrame.Height};
}

void ShowProperties(AppState& state, const Services& services) {
    InfoView& info = services.Info;
    info.CreateHidden();
    if (ShownTypeRow(state) != 0) {
        state.TypeChosen = true; // the type the window shows is the one a write then acts on
    }
    const std::optional<InfoViewModel> model = PresentProperties(state);
    if (!model) {
        return;
    }
    Place(services);
    info.Show(*model);
}

void CloseProperties(AppState&, const Services& services) {
    services.Info.Destroy();
    services.View.Focus();
}

} // namespace psm
