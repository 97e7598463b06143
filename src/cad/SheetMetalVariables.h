#pragma once

// The five sheet-metal values of a document: read through the marker
// variables whose formulas name the value variables, and written back
// between the recompute switch's true and false, followed by a redraw.

#include "cad/Automation.h"
#include "cad/Connection.h"
#include "tables/SheetValue.h"

#include <array>
#include <optional>
#include <string>

namespace psm {
class EventPump;
}

namespace psm::cad {

// Five texts, one per value, at IndexOf(value).
using FiveTexts = std::array<std::string, 5>;

// The marker variables, in the order of the five values.
inline constexpr std::array<std::string_view, 5> MarkerVariableNames = {
    "MaterialThickness_", "BendRadius_", "NeutralFactor_", "ReliefLength_", "ReliefWidth_"};

// What one write found in the document and left there, value by value, in
// CAD units; nothing for a value it did not read.
struct WriteReport {
    std::array<std::optional<double>, 5> Before;
    std::array<std::optional<double>, 5> After;
    bool Changed = false; // a value was put, whether it stayed or was put back
};

struct SheetMetalVariables {
    FiveTexts CurrentValues;      // in table units (the neutral factor unscaled), number texts
    FiveTexts ValueVariableNames; // the markers' formulas at the last read
    ObjectRef VariableTable;
    ObjectRef CurrentVariable;
    bool VariablesRead = false;
    WriteReport LastWrite; // of the last WriteSheetMetalVariables
    // The marker and value variables of the last read, held until the next
    // read: letting each go at once costs a call to the CAD program in the
    // middle of the read. Never used to look anything up.
    std::array<ObjectRef, 5> ReadMarkers;
    std::array<ObjectRef, 5> ReadVariables;
};

// A value of the document as the table gives it: lengths times scaleFactor,
// as a number text.
std::string TableValueText(SheetValue value, double cadValue, double scaleFactor,
                           char decimalSeparator);

// Fills CurrentValues from `document`; lengths are multiplied by scaleFactor.
void ReadSheetMetalVariables(SheetMetalVariables& variables, const ObjectRef& document,
                             double scaleFactor, char decimalSeparator);

// How a write of the five values ended. A type lands completely or not at
// all: a value the document refuses stops the write, and the values it had
// changed already are put back.
enum class WriteOutcome {
    Written,           // every value that differed was put
    NotWritten,        // stopped; the document holds the values it had before
    RestoreIncomplete, // stopped; some changed values could not be put back
};

// Writes newValues (CAD units), or with `restore` the CurrentValues of the
// last read, into the variables named at the last read; only values that
// differ are put. A value whose variable or source text is missing is
// skipped; a put that fails, a variable table that cannot be had, or any
// step that finds the program busy beyond the retry or gone stops the write.
// Then releases the recompute switch and, unless the document is back as it
// was, lets pending events run once and redraws by connection.ActiveDocType.
// LastWrite tells what the document held before and after.
// `document` is taken by value: the pending events may replace the
// connection's references meanwhile.
WriteOutcome WriteSheetMetalVariables(SheetMetalVariables& variables,
                                      const CadConnection& connection, ObjectRef document,
                                      bool restore, const FiveTexts& newValues, double scaleFactor,
                                      char decimalSeparator, EventPump& events);

} // namespace psm::cad
