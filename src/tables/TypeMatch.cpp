#include "tables/TypeMatch.h"

#include "tables/SameValue.h"

namespace psm {

int MatchingTypeRow(const TableModel& tables, const std::array<std::string, 5>& values,
                    char decimalSeparator) {
    // Values compare as numbers: "1,50" in the file is the 1,5 the document holds.
    const auto same = [&](const TypeRow& type, SheetValue value) {
        return SameValue(type.Value(value), values[IndexOf(value)], decimalSeparator);
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
