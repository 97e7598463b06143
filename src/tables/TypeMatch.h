#pragma once

// Which type of the value file a document's five values belong to.

#include "tables/TableModel.h"

#include <array>
#include <optional>

namespace psm {

// A document's five values in the file's unit; nothing for a value it lacks.
using FiveValues = std::array<std::optional<double>, 5>;

// The TypeList row (1-based) whose values are the given ones; 0 for none. Thickness, radius and
// neutral factor make a partial match, the reliefs decide between rows that agree in those: the
// first full match wins, else the last partial one.
int MatchingTypeRow(const TableModel& tables, const FiveValues& values);

// The type nearest to a document that matches none: the row with the most
// values equal to the document's, the first in file order among equals, and
// how many of its five values differ. Row 0 when the file holds no type, or
// when every value of the nearest differs: such a type is near to nothing.
struct NearestType {
    int Row = 0;
    int Differing = 0;
};
NearestType NearestTypeRow(const TableModel& tables, const FiveValues& values);

// Which of a type's values differ from the document's.
std::array<bool, 5> DifferingValues(const TypeRow& type, const FiveValues& values);

// The table (1-based) that holds the row; 0 for none.
int TableOfRow(const TableModel& tables, int row);

} // namespace psm
