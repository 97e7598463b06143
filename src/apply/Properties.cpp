#include "apply/Properties.h"

#include "lists/Lists.h"
#include "present/PropertiesPresenter.h"

namespace psm {
namespace {

void Place(const PropertiesWindows& windows) {
    windows.Properties.MoveWindow(PropertiesWindowPlace(
        windows.Main.ScreenFrame(), windows.Properties.Width(), windows.Main.ScreenWidth()));
}

} // namespace

TwipsRect PropertiesWindowPlace(const TwipsRect& mainFrame, int32_t infoWidth,
                                int32_t screenWidth) {
    const int32_t free = screenWidth - mainFrame.Left - mainFrame.Width;
    const int32_t left =
        free > RightSideMinimum ? mainFrame.Left + mainFrame.Width : mainFrame.Left - infoWidth;
    return TwipsRect{left, mainFrame.Top, infoWidth, mainFrame.Height};
}

void ShowProperties(ListsState& lists, const ProgramContext& program, const ShownDocument& document,
                    const PropertiesWindows& windows) {
    PropertiesView& info = windows.Properties;
    info.CreateHidden();
    if (lists.ShownTypeRow() != 0) {
        lists.TypeChosen = true; // the type the window shows is the one a write then acts on
    }
    const std::optional<PropertiesViewModel> model = PresentProperties(program, document, lists);
    if (!model) {
        return;
    }
    Place(windows);
    info.Show(*model);
}

void ChooseNearestType(ListsState& lists, const ProgramContext& program,
                       const ShownDocument& document) {
    ChooseTypeRow(lists, program.Tables, NearestTypeNamed(program, document, lists));
}

void CloseProperties(const PropertiesWindows& windows) {
    windows.Properties.Destroy();
    windows.Main.Focus();
}

} // namespace psm
