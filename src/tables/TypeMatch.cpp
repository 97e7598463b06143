#include "tables/TypeMatch.h"

#include "tables/SameValue.h"

#include <algorithm>

namespace psm {

int MatchingTypeRow(const TableModel& tables, const FiveValues& values) {
    // Values compare as numbers: "1,50" in the file is the 1,5 the document holds.
    const auto same = [&](const TypeRow& type, SheetValue value) {
        return SameValue(type.Value(value), values[IndexOf(value)]);
    };
    int partialMatchRow = 0;
    for (int row = 1; row <= static_cast<int>(tables.TypeList.size()); ++row) {
        const TypeRow& type = tables.Type(row);
        if (same(type, SheetValue::Thickness) && same(type, SheetValue::BendRadius) &&
            same(type, SheetValue::NeutralFactor)) {
            partialMatchRow = row;
            if (same(type, SheetValue::ReliefLength) && same(type, SheetValue::ReliefWidth)) {
                return row;
            }
        }
    }
    return partialMatchRow;
}

std::array<bool, 5> DifferingValues(const TypeRow& type, const FiveValues& values) {
    std::array<bool, 5> differing{};
    for (const SheetValue value : SheetValues) {
        differing[IndexOf(value)] = !SameValue(type.Value(value), values[IndexOf(value)]);
    }
    return differing;
}

NearestType NearestTypeRow(const TableModel& tables, const FiveValues& values) {
    NearestType nearest;
    for (int row = 1; row <= static_cast<int>(tables.TypeList.size()); ++row) {
        const auto differing = DifferingValues(tables.Type(row), values);
        const int count = static_cast<int>(std::count(differing.begin(), differing.end(), true));
        if (nearest.Row == 0 || count < nearest.Differing) {
            nearest = {row, count};
        }
    }
    if (nearest.Differing == static_cast<int>(SheetValues.size())) {
        return {};
    }
    return nearest;
}

int TableOfRow(const TableModel& tables, int row) {
    if (row < 1) {
        return 0;
    }
    for (int table = static_cast<int>(tables.TableList.size()); table >= 1; --table) {
        if (tables.Table(table).FirstRow <= row) {
            return table;
        }
    }
    return 0;
}

} // namespace psm
