#include "core/DocumentValues.h"

#include "platform/NumberText.h"
#include "tables/CadUnits.h"

namespace psm {
namespace {

std::optional<double> ToCad(SheetValue value, const std::optional<double>& tableValue,
                            double scaleFactor) {
    if (!tableValue) {
        return std::nullopt;
    }
    const auto cadValue = CadValue(value, *tableValue, scaleFactor);
    return cadValue ? std::optional(RoundedTo15Digits(*cadValue)) : std::nullopt;
}

} // namespace

FiveValues TableValuesOf(const cad::CadValues& values, double scaleFactor) {
    FiveValues table;
    for (const SheetValue value : SheetValues) {
        const std::optional<double>& cadValue = values[IndexOf(value)];
        if (cadValue) {
            table[IndexOf(value)] = RoundedTo15Digits(TableValue(value, *cadValue, scaleFactor));
        }
    }
    return table;
}

int RecognisedType(const TableModel& tables, const cad::CadValues& values) {
    return MatchingTypeRow(tables, TableValuesOf(values, tables.ScaleFactor));
}

TypeTargets TargetsOfType(const TypeRow& type, double scaleFactor) {
    TypeTargets targets;
    for (const SheetValue value : SheetValues) {
        const auto target = ToCad(value, type.Value(value), scaleFactor);
        if (!target) {
            break;
        }
        targets.Values[IndexOf(value)] = target;
        ++targets.Converted;
    }
    return targets;
}

cad::CadValues RestoreTargets(const cad::CadValues& values, double scaleFactor) {
    const FiveValues table = TableValuesOf(values, scaleFactor);
    cad::CadValues targets;
    for (const SheetValue value : SheetValues) {
        targets[IndexOf(value)] = ToCad(value, table[IndexOf(value)], scaleFactor);
    }
    return targets;
}

} // namespace psm
