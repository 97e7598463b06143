#pragma once

// The line rules of the value file, shared by the loader and the check: how a
// line is classified, trimmed and split into the fields of a type row, which
// units it knows and how it reads a value.

#include "tables/SheetValue.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace psm {

enum class LineKind {
    Unit,    // "Unit:" and the unit
    Begin,   // "Begin:" and the table's name
    End,     // "End:"
    Row,     // any other line while a table is open
    Ignored, // any other line while no table is open
};

struct ValueFileLine {
    LineKind Kind = LineKind::Ignored;
    // Unit: the unit, trimmed; Begin: the name up to the first ";", trimmed;
    // Row: the whole line.
    std::string_view Text;
};

// Keywords count only in the first column and in exact case.
ValueFileLine ClassifyLine(std::string_view line, bool tableOpen);

// Blanks are spaces only; tabs stay part of the text.
std::string_view TrimBlanks(std::string_view text);

// A known unit: the suffix shown after lengths and the file's length units per metre.
struct ValueFileUnit {
    std::string_view Suffix;
    double ScaleFactor = 0;
};

// "mm" or "in"; nothing for any other unit text.
std::optional<ValueFileUnit> UnitOf(std::string_view unit);

// A type row's fields: the name, then the five values.
inline constexpr std::size_t RowFieldCount = 1 + SheetValues.size();

// The first RowFieldCount fields of a row split at every ";", trimmed; a
// field the row lacks is empty, fields beyond them are left out. FieldCount
// counts them all, also beyond the sixth.
std::array<std::string_view, RowFieldCount> RowFields(std::string_view row);
int FieldCount(std::string_view row);

// A value text read the way the loader and the check read it: a point or a
// comma as decimal separator. Nothing for an empty text or one that is no number.
std::optional<double> ValueNumber(std::string_view text);

} // namespace psm
