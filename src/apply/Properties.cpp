#include "apply/Properties.h"

#include "apply/Apply.h"
#include "platform/NumberText.h"
#include "selection/Selection.h"
#include "tables/CadUnits.h"
#include "tables/TypeMatch.h"

#include <array>
#include <optional>
#include <tuple>
#include <utility>

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

// A value of the chosen type, converted to CAD units and back. Nothing from
// the first value the conversion did not reach: another type's value must not
// stand in for it.
std::optional<double> ChosenValue(const AppState& state, SheetValue value, int converted) {
    if (static_cast<int>(IndexOf(value)) >= converted) {
        return std::nullopt;
    }
    const auto number = TextToNumber(state.Apply.NewValues[IndexOf(value)], state.DecimalSeparator);
    if (!number) {
        return std::nullopt;
    }
    return TableValue(value, *number, state.Tables.ScaleFactor);
}

// Three decimals; a text that is no number unchanged.
std::string Fixed3(const std::string& text, char decimalSeparator) {
    const auto number = TextToNumber(text, decimalSeparator);
    return number ? FormatFixed3(*number, decimalSeparator) : text;
}

// The most decimals a row shows to tell two values apart that differ by
// more than the recognition's tolerance.
constexpr int MostDecimals = 12;

// Two values that differ, each with as many decimals as it takes (at least
// three) for their texts to differ too: "≠" beside two equal-looking numbers
// would say nothing.
std::pair<std::string, std::string> Distinct(double left, double right, char decimalSeparator) {
    int decimals = 3;
    while (decimals < MostDecimals && FormatFixed(left, decimals, decimalSeparator) ==
                                          FormatFixed(right, decimals, decimalSeparator)) {
        ++decimals;
    }
    return {FormatFixed(left, decimals, decimalSeparator),
            FormatFixed(right, decimals, decimalSeparator)};
}

// The shown document is sheet metal and its values were read completely:
// only then are they shown, compared or matched to a nearest type.
bool DocumentValuesKnown(const AppState& state) {
    return state.Watch.SheetMetalOpen && state.Watch.Shown.ValuesKnown;
}

// One row of the window: the value shown, the one compared with it, and
// whether they differ.
struct Row {
    std::string Shown;
    std::string Compared;
    bool Differs = false;
};

// With a type shown: its values, beside them the document's own values.
// Without one: the document's values, beside them the nearest type's.
// Each row that differs is marked, so that the user sees before writing what
// a write would change.
void ShowValues(const AppState& state, const Services& services, bool typeChosen, int converted) {
    InfoView& info = services.Info;
    const TextTables& texts = state.Texts;
    const char separator = state.DecimalSeparator;
    const cad::FiveTexts& document = state.Variables.CurrentValues;
    const bool documentKnown = DocumentValuesKnown(state);

    int compared = 0;
    std::string note;
    if (typeChosen && documentKnown) {
        compared = state.Selection.SelectedTypeRow;
        note = texts.Caption(CaptionText::DocumentComparedNote);
    } else if (!typeChosen) {
        const NearestType nearest = NearestTypeRow(state.Tables, document, separator);
        // A type whose every value differs is near to nothing.
        const bool near =
            nearest.Row != 0 && nearest.Differing < static_cast<int>(SheetValues.size());
        compared = near ? nearest.Row : 0;
        const std::string name = state.Tables.Type(nearest.Row).Name();
        note = !near ? texts.Caption(CaptionText::NoTypeNote)
               : nearest.Differing == 1
                   ? FormatText(texts.Caption(CaptionText::NearestTypeOneDiffersNote), {name})
                   : FormatText(texts.Caption(CaptionText::NearestTypeSomeDifferNote),
                                {name, std::to_string(nearest.Differing)});
    }
    info.SetNote(note);

    const TypeRow& type = state.Tables.Type(compared);
    const auto differing = DifferingValues(type, document, separator);
    for (const SheetValue value : SheetValues) {
        const std::size_t k = IndexOf(value);
        const std::optional<double> chosen =
            typeChosen ? ChosenValue(state, value, converted) : std::nullopt;
        Row row;
        row.Shown = typeChosen ? (chosen ? FormatFixed3(*chosen, separator) : std::string())
                               : Fixed3(document[k], separator);
        if (compared != 0) {
            const std::string& other = typeChosen ? document[k] : type.Value(value);
            row.Compared = Fixed3(other, separator);
            row.Differs = differing[k];
            const auto shownNumber = typeChosen ? chosen : TextToNumber(document[k], separator);
            const auto otherNumber = TextToNumber(other, separator);
            if (row.Differs && shownNumber && otherNumber) {
                std::tie(row.Shown, row.Compared) = Distinct(*shownNumber, *otherNumber, separator);
            }
        }
        info.SetLabel(ValueColumn, RowOf(value), row.Shown);
        info.SetLabel(ComparedColumn, RowOf(value), row.Compared);
        info.SetLabel(MarkColumn, RowOf(value),
                      row.Differs ? std::string(DifferenceMark) : std::string());
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
    if (!typeChosen && !DocumentValuesKnown(state)) {
        return;
    }
    info.Show();
    info.SetCaption(state.Texts.Caption(CaptionText::PropertiesTitle));
    Place(services);
    for (const SheetValue value : SheetValues) {
        const int row = RowOf(value);
        info.SetLabel(NameColumn, row, state.Texts.Caption(ValueLabels[IndexOf(value)]));
        info.SetLabel(UnitColumn, row, IsLength(value) ? state.Tables.UnitSuffix : std::string());
    }
    ShowValues(state, services, typeChosen, converted);
}

namespace frmInfo {

void Form_Click(AppState&, const Services& services) {
    services.Info.Destroy();
    services.View.Focus();
}

} // namespace frmInfo

} // namespace psm
