#include "apply/Properties.h"

#include "apply/Apply.h"
#include "platform/NumberText.h"
#include "selection/Selection.h"

#include <array>

namespace psm {
namespace {

constexpr int NameColumn = 1;
constexpr int ValueColumn = 2;
constexpr int UnitColumn = 3;

constexpr std::array<CaptionText, 5> ValueLabels{
    CaptionText::ThicknessLabel, CaptionText::BendRadiusLabel, CaptionText::NeutralFactorLabel,
    CaptionText::ReliefLengthLabel, CaptionText::ReliefWidthLabel};

// The row of the window that shows a value.
int RowOf(SheetValue value) {
    return static_cast<int>(IndexOf(value)) + 1;
}

void Place(const Services& services) {
    services.Info.MoveWindow(InfoWindowPlace(services.View.ScreenFrame(), services.Info.Width(),
                                             services.View.ScreenWidth()));
}

// A value of the chosen type: converted to CAD units and back, three decimals.
// Empty from the first value the conversion did not reach: another type's
// value must not stand in for it.
std::string ChosenValue(const AppState& state, SheetValue value, int converted) {
    if (static_cast<int>(IndexOf(value)) >= converted) {
        return {};
    }
    const auto number = TextToNumber(state.Apply.NewValues[IndexOf(value)], state.DecimalSeparator);
    if (!number) {
        return {};
    }
    const double shown = IsLength(value) ? *number * state.Tables.ScaleFactor : *number;
    return FormatFixed3(shown, state.DecimalSeparator);
}

// A value the document had, three decimals; a text that is no number unchanged.
std::string DocumentValue(const AppState& state, SheetValue value) {
    const std::string& text = state.Variables.CurrentValues[IndexOf(value)];
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
    info.SetCaption(state.Texts.Caption(CaptionText::PropertiesTitle));
    Place(services);
    for (const SheetValue value : SheetValues) {
        const int row = RowOf(value);
        info.SetLabel(NameColumn, row, state.Texts.Caption(ValueLabels[IndexOf(value)]));
        info.SetLabel(ValueColumn, row,
                      typeChosen ? ChosenValue(state, value, converted)
                                 : DocumentValue(state, value));
        if (IsLength(value)) {
            info.SetLabel(UnitColumn, row, state.Tables.UnitSuffix);
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
