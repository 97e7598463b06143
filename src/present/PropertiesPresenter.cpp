#include "present/PropertiesPresenter.h"

#include "core/DocumentValues.h"
#include "platform/NumberText.h"
#include "tables/CadUnits.h"
#include "tables/TypeMatch.h"

#include <array>
#include <utility>

namespace psm {
namespace {

constexpr std::string_view DifferenceMark = "≠";

constexpr std::array<CaptionText, 5> ValueLabels{
    CaptionText::ThicknessLabel, CaptionText::BendRadiusLabel, CaptionText::NeutralFactorLabel,
    CaptionText::ReliefLengthLabel, CaptionText::ReliefWidthLabel};

// The most decimals a row shows to tell two values apart that differ by
// more than the recognition's tolerance.
constexpr int MostDecimals = 12;

std::string Fixed3(const std::optional<double>& value, char decimalSeparator) {
    return value ? FormatFixed3(*value, decimalSeparator) : std::string();
}

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

// The values the window shows on its left, and what it compares them with.
struct Sides {
    FiveValues Shown;
    int Compared = 0; // the type compared with; 0: none
    std::string Note;
};

// With a type shown: its values, converted to CAD units and back as a write
// would put them, beside them the document's own values. Without one: the
// document's values, beside them the nearest type's.
Sides SidesOf(const ProgramContext& program, int row, const FiveValues& document,
              bool documentKnown) {
    const LanguageTexts& texts = program.Texts;
    Sides sides;
    if (row != 0) {
        // From the first value the conversion did not reach on, another
        // type's value must not stand in: those stay empty.
        const TypeTargets targets =
            TargetsOfType(program.Tables.Type(row), program.Tables.ScaleFactor);
        for (const SheetValue value : SheetValues) {
            const auto& target = targets.Values[IndexOf(value)];
            if (static_cast<int>(IndexOf(value)) < targets.Converted && target) {
                sides.Shown[IndexOf(value)] =
                    TableValue(value, *target, program.Tables.ScaleFactor);
            }
        }
        if (documentKnown) {
            sides.Compared = row;
            sides.Note = texts.Caption(CaptionText::DocumentComparedNote);
        }
        return sides;
    }
    sides.Shown = document;
    const NearestType nearest = NearestTypeRow(program.Tables, document);
    if (nearest.Row == 0) {
        sides.Note = texts.Caption(CaptionText::NoTypeNote);
        return sides;
    }
    sides.Compared = nearest.Row;
    const std::string name = program.Tables.Type(nearest.Row).Name;
    sides.Note = nearest.Differing == 1
                     ? FormatText(texts.Caption(CaptionText::NearestTypeOneDiffersNote), {name})
                     : FormatText(texts.Caption(CaptionText::NearestTypeSomeDifferNote),
                                  {name, std::to_string(nearest.Differing)});
    return sides;
}

PropertiesViewModel PropertiesModel(const ProgramContext& program, int row,
                                    const FiveValues& document, bool documentKnown) {
    const char separator = program.DecimalSeparator;
    const Sides sides = SidesOf(program, row, document, documentKnown);
    const TypeRow& compared = program.Tables.Type(sides.Compared);
    const auto differing = DifferingValues(compared, document);
    PropertiesViewModel model;
    model.Caption = program.Texts.Caption(CaptionText::PropertiesTitle);
    model.Note = sides.Note;
    if (row == 0 && sides.Compared != 0) {
        model.ChooseNearest = program.Texts.Caption(CaptionText::ChooseNearestButton);
    }
    for (const SheetValue value : SheetValues) {
        const std::size_t k = IndexOf(value);
        PropertiesRowModel& line = model.Rows[k];
        line.Name = program.Texts.Caption(ValueLabels[k]);
        line.Unit = IsLength(value) ? program.Tables.UnitSuffix : std::string();
        line.Value = Fixed3(sides.Shown[k], separator);
        if (sides.Compared == 0) {
            continue;
        }
        const std::optional<double>& other = row != 0 ? document[k] : compared.Value(value);
        line.Compared = Fixed3(other, separator);
        if (differing[k]) {
            line.Mark = std::string(DifferenceMark);
            if (sides.Shown[k] && other) {
                std::tie(line.Value, line.Compared) = Distinct(*sides.Shown[k], *other, separator);
            }
        }
    }
    return model;
}

// The document's values belong to the document the label shows, and only
// once they were read completely.
bool DocumentKnown(const ShownDocument& shown) {
    return shown.SheetMetal && shown.ValuesKnown;
}

} // namespace

std::optional<PropertiesViewModel> PresentProperties(const ProgramContext& program,
                                                     const ShownDocument& shown,
                                                     const ListsState& lists) {
    const int row = lists.ShownTypeRow();
    const bool documentKnown = DocumentKnown(shown);
    if (row == 0 && !documentKnown) {
        return std::nullopt;
    }
    const FiveValues document =
        documentKnown ? TableValuesOf(shown.Values, program.Tables.ScaleFactor) : FiveValues{};
    return PropertiesModel(program, row, document, documentKnown);
}

int NearestTypeNamed(const ProgramContext& program, const ShownDocument& shown,
                     const ListsState& lists) {
    if (lists.ShownTypeRow() != 0 || !DocumentKnown(shown)) {
        return 0;
    }
    return NearestTypeRow(program.Tables, TableValuesOf(shown.Values, program.Tables.ScaleFactor))
        .Row;
}

} // namespace psm
