#include "apply/Properties.h"

#include "apply/Apply.h"
#include "platform/NumberText.h"
#include "selection/Selection.h"

namespace psm {
namespace {

constexpr int NameColumn = 1;
constexpr int ValueColumn = 2;
constexpr int UnitColumn = 3;
constexpr int NeutralFactor = 3;

void Place(const Services& services) {
    services.Info.MoveWindow(InfoWindowPlace(services.View.ScreenFrame(), services.Info.Width(),
                                             services.View.ScreenWidth()));
}

// Value k of the chosen type: converted to CAD units and back, three decimals.
// Empty from the first value the conversion did not reach: another type's
// value must not stand in for it.
std::string ChosenValue(const AppState& state, int k, int converted) {
    if (k > converted) {
        return {};
    }
    const auto number =
        TextToNumber(state.Apply.NewValues[static_cast<size_t>(k - 1)], state.DecimalSeparator);
    if (!number) {
        return {};
    }
    const double value = k == NeutralFactor ? *number : *number * state.Tables.ScaleFactor;
    return FormatFixed3(value, state.DecimalSeparator);
}

// Value k the document had, three decimals; a text that is no number unchanged.
std::string DocumentValue(const AppState& state, int k) {
    const std::string& text = state.Variables.CurrentValues[static_cast<size_t>(k - 1)];
    const auto number = TextToNumber(text, state.DecimalSeparator);
    return number ? FormatFixed3(*number, state.DecimalSeparator) : text;
}

} // namespace

TwipsRect InfoWindowPlace(const TwipsRect& mainFrame, int32_t infoWidth, int32_t screenWidth) {
    const int32_t free = screenWidth - mainFrame.Left - mainFrame.Width;
    const int32_t left =
        free > RightSideMinimum ? mainFrame.Left + mainFrame.Width : mainFrame.Left - infoWidth;
    return TwipsRect{left, mainFrame.Top, infoWidth, mainFrame.Height};
}

void cmdInfo_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
    TakeShownType(state);
    const int converted = ConvertSelectedValueCount(state, services);
    if (Ended(state)) {
        return;
    }
    InfoView& info = services.Info;
    info.CreateHidden();
    const bool typeChosen = state.Selection.SelectedTypeRow != 0;
    if (!typeChosen && !state.Variables.VariablesRead) {
        return;
    }
    info.Show();
    info.SetCaption(state.Texts.Caption(17));
    Place(services);
    for (int k = 1; k <= 5; ++k) {
        info.SetLabel(NameColumn, k, state.Texts.Caption(11 + k));
        info.SetLabel(ValueColumn, k,
                      typeChosen ? ChosenValue(state, k, converted) : DocumentValue(state, k));
        if (k != NeutralFactor) {
            info.SetLabel(UnitColumn, k, state.Tables.UnitSuffix);
        }
    }
}

namespace frmInfo {

void Form_Click(AppState&, const Services& services) {
    services.Info.Destroy();
    services.View.Focus();
}

} // namespace frmInfo

} // namespace psm
