#pragma once

// The check of a value file before it is handed out: everything that would
// make a type unusable, unrecognisable or wrong in a part, with its line.

#include <string>
#include <string_view>
#include <vector>

namespace psm {

struct CheckFinding {
    enum class Kind {
        NoUnit,             // the whole file: no valid unit line
        UnknownUnit,        // Text: the unit
        FieldCount,         // Number: the fields of the row
        NotANumber,         // Value, Text: the value's text
        NeutralFactorRange, // Text: the value
        NotPositive,        // Value, Text: the value
        Negative,           // Value, Text: the value
        SameValues,         // Number: the earlier line with the same five values
        SameName,           // Text: the name, Number: its earlier line in the table
        EmptyTable,         // Text: the table's name
        NoEnd,              // Text: the table's name
        OutsideTable,       // a type row before "Begin:" or after "End:"
        NoTable,            // the whole file: no "Begin:" at all
    };

    int Line = 0; // 1-based; 0 for the file as a whole
    Kind What = Kind::NoUnit;
    int Value = 0; // 1..5: thickness, bend radius, neutral factor, relief length, relief width
    std::string Text;
    int Number = 0;

    friend bool operator==(const CheckFinding&, const CheckFinding&) = default;
};

// The findings in a value file's text (decoded), in line order.
std::vector<CheckFinding> CheckValueFile(std::string_view text);

} // namespace psm
