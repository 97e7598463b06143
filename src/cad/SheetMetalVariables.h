#pragma once

// The five sheet-metal values of a document: read through the marker
// variables whose formulas name the value variables, and written back
// between the recompute switch's true and false, followed by a redraw.

#include "cad/Automation.h"
#include "cad/Connection.h"

#include <array>
#include <string>

namespace psm {
class EventPump;
}

namespace psm::cad {

// Five texts, value k = 1..5 at index k - 1: material thickness, bend radius,
// neutral factor, relief length, relief width.
using FiveTexts = std::array<std::string, 5>;

// The marker variables, in the order of the five values.
inline constexpr std::array<std::string_view, 5> MarkerVariableNames = {
    "MaterialThickness_", "BendRadius_", "NeutralFactor_", "ReliefLength_", "ReliefWidth_"};

struct SheetMetalVariables {
    FiveTexts CurrentValues;      // in table units (the neutral factor unscaled), number texts
    FiveTexts ValueVariableNames; // the markers' formulas at the last read
    ObjectRef VariableTable;
    ObjectRef CurrentVariable;
    bool VariablesRead = false;
};

// Fills CurrentValues from `document`; lengths are multiplied by scaleFactor.
void ReadSheetMetalVariables(SheetMetalVariables& variables, const ObjectRef& document,
                             double scaleFactor, char decimalSeparator);

// Writes newValues (CAD units), or with `restore` the CurrentValues of the
// last read, into the variables named at the last read; only values that
// differ are put. Then releases the recompute switch, lets pending events run
// once and redraws by connection.ActiveDocType. `document` is taken by value:
// the pending events may replace the connection's references meanwhile.
void WriteSheetMetalVariables(SheetMetalVariables& variables, const CadConnection& connection,
                              ObjectRef document, bool restore, const FiveTexts& newValues,
                              double scaleFactor, char decimalSeparator, EventPump& events);

} // namespace psm::cad
