#pragma once

// The line rules of the value file, shared by the loader and the check: how a
// line is classified, trimmed and split into the fields of a type row.

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

// Field `index` (0-based) of a row split at every ";", trimmed; nothing when
// the row has fewer fields. FieldCount counts them all, also beyond the sixth.
std::optional<std::string_view> RowField(std::string_view row, int index);
int FieldCount(std::string_view row);

// A value text read the way the loader and the write read it: a point or a
// comma as decimal separator. Nothing for an empty text or one that is no number.
std::optional<double> ValueNumber(std::string_view text);

} // namespace psm
