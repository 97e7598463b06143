#pragma once

#include "tables/SheetValue.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// One table of the value file: the TypeList row of its first type (1-based) and its name.
struct TableEntry {
    int FirstRow = 0;
    std::string Name;
};

// One sheet type as the file gives it: its name and its five values in the
// file's unit, nothing for a value that is empty or no number.
struct TypeRow {
    std::string Name;
    std::array<std::optional<double>, 5> Values;

    const std::optional<double>& Value(SheetValue value) const { return Values[IndexOf(value)]; }
};

// The value file as the loader leaves it. Table numbers and type rows are
// 1-based; table k owns the rows from its first row up to the row before the
// next table's first row, the last table up to TypeCount.
struct TableModel {
    std::vector<TableEntry> TableList;
    std::vector<TypeRow> TypeList;
    int TableCount = 0;
    int TypeCount = 0;
    double ScaleFactor = 0; // file length units per metre; 0 when no unit is known
    std::string UnitSuffix; // " mm" or "in"

    // Entry k (1-based) and row r (1-based); an empty one outside the lists.
    const TableEntry& Table(int k) const;
    const TypeRow& Type(int row) const;

    // The row range of table k; for a table without rows the last row is one
    // below the first. Both are 0 for a number outside 1..TableCount.
    int TableFirstRow(int k) const;
    int TableLastRow(int k) const;
};

} // namespace psm
