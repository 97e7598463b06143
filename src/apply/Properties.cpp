#include "apply/Properties.h"

#include "apply/Apply.h"
#include "platform/NumberText.h"
#include "selection/Selection.h"
#include "tables/CadUnits.h"
#include "tables/TypeMatch.h"

#include <array>

namespace psm {
namespace {

constexpr int NameColumn = 1;
constexpr int ValueColumn = 2;
constexpr int UnitColumn = 3;
constexpr int ComparedColumn = 4;
constexpr int MarkColumn = 5;
constexpr std::string_view DifferenceMark = "≠";

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
    const double shown = TableValue(value, *number, state.Tables.ScaleFactor);
    return FormatFixed3(shown, state.DecimalSeparator);
}

// A value text of the file or the document, three decimals; a text that is
// no number unchanged.
std::string Fixed3(const std::string& text, char decimalSeparator) {
    const auto number = TextToNumber(text, decimalSeparator);
    return number ? FormatFixed3(*number, decimalSeparator) : text;
}

// A value the document had, three decimals; a text that is no number unchanged.
std::string DocumentValue(const AppState& state, SheetValue value) {
    return Fixed3(state.Variables.CurrentValues[IndexOf(value)], state.DecimalSeparator);
}

// Beside the values: with a type shown, the document's own values; without
// one, the values of the type nearest to the document. Each row that differs
// is marked, so that the user sees before writing what a write would change.
void ShowComparison(const AppState& state, const Services& services, bool typeShown) {
    InfoView& info = services.Info;
    const cad::FiveTexts& document = state.Variables.CurrentValues;
    const TextTables& texts = state.Texts;
    int compared = 0;
    std::string note;
    if (typeShown) {
        if (!state.Variables.VariablesRead) {
            return; // no document read since the start: nothing to compare with
        }
        compared = state.Selection.SelectedTypeRow;
        note = texts.Caption(CaptionText::DocumentComparedNote);
    } else {
        const NearestType nearest = NearestTypeRow(state.Tables, document, state.DecimalSeparator);
        compared = nearest.Row;
        const std::string name = state.Tables.Type(nearest.Row).Name();
        note = compared == 0 ? texts.Caption(CaptionText::NoTypeNote)
               : nearest.Differing == 1
                   ? FormatText(texts.Caption(CaptionText::NearestTypeOneDiffersNote), {name})
                   : FormatText(texts.Caption(CaptionText::NearestTypeSomeDifferNote),
                                {name, std::to_string(nearest.Differing)});
    }
    info.SetNote(note);
    if (compared == 0) {
        return;
    }
    const TypeRow& type = state.Tables.Type(compared);
    const auto differing = DifferingValues(type, document, state.DecimalSeparator);
    for (const SheetValue value : SheetValues) {
        const std::string& other = typeShown ? document[IndexOf(value)] : type.Value(value);
        info.SetLabel(ComparedColumn, RowOf(value), Fixed3(other, state.DecimalSeparator));
        info.SetLabel(MarkColumn, RowOf(value),
                      differing[IndexOf(value)] ? std::string(DifferenceMark) : std::string());
    }
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
    ShowComparison(state, services, typeChosen);
}

namespace frmInfo {

void Form_Click(AppState&, const Services& services) {
    services.Info.Destroy();
    services.View.Focus();
}

} // namespace frmInfo

} // namespace psm
