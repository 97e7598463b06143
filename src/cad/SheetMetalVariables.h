#pragma once

// The five sheet-metal values of a document: read through the marker
// variables whose formulas name the value variables, and written back
// between the recompute switch's true and false, followed by a redraw.

#include "cad/Automation.h"
#include "cad/Connection.h"
#include "cad/RecomputeHold.h"
#include "tables/SheetValue.h"

#include <array>
#include <optional>
#include <string>

namespace psm {
class EventPump;
}

namespace psm::cad {

// Five values of a document in CAD units (the neutral factor a ratio), at
// IndexOf(value); nothing for one it does not carry or that could not be read.
using CadValues = std::array<std::optional<double>, 5>;

// The marker variables, in the order of the five values.
inline constexpr std::array<std::string_view, 5> MarkerVariableNames = {
    "MaterialThickness_", "BendRadius_", "NeutralFactor_", "ReliefLength_", "ReliefWidth_"};

struct SheetMetalVariables {
    std::array<std::string, 5> ValueVariableNames; // the markers' formulas at the last read
    ObjectRef VariableTable;
    ObjectRef CurrentVariable;
    WriteReport LastWrite; // of the last WriteSheetMetalVariables
    // What the last write left to be done once the program answers again.
    PendingRestore Pending;
    // The marker and value variables of the last read, held until the next
    // read: letting each go at once costs a call to the CAD program in the
    // middle of the read. Never used to look anything up.
    std::array<ObjectRef, 5> ReadMarkers;
    std::array<ObjectRef, 5> ReadVariables;
    // The last read was cut short because the document or the program is
    // gone, not busy: reading again will not help.
    bool ReadGone = false;
};

// The document's five values, in CAD units; a missing marker or value
// variable leaves its value empty. Nothing when the read met a busy or
// vanished program: that is no read, and must be made again.
std::optional<CadValues> ReadSheetMetalVariables(SheetMetalVariables& variables,
                                                 const ObjectRef& document);

// How a write of the five values ended. A type lands completely or not at
// all: a value the document refuses, or one that does not read back as it
// was sent, stops the write, and the values it had changed already are put
// back.
enum class WriteOutcome {
    Written,           // every value that differed was put and reads back as sent
    NotWritten,        // stopped; the document holds the values it had before
    RestoreIncomplete, // stopped; some changed values could not be put back
    RestorePending,    // stopped; put-backs wait in Pending for the program to answer
};

// Writes the five target values (CAD units) into the variables named at the
// last read; only values that differ are put. All five variables are looked
// up and read first: when one of them, or its target, is missing, nothing is
// put. A put that fails, a value that reads back otherwise than sent (as the
// value file would tell them apart, with scaleFactor), or a program that
// stops answering stops the write. Then releases the recompute switch and, when the
// write landed, lets pending events run once and redraws by
// connection.ActiveDocType. LastWrite tells what the document held before and
// after; what could not be finished waits in Pending.
// `document` is taken by value: the pending events may replace the
// connection's references meanwhile.
// A write into one of many parts leaves the redraw to the end of them all.
enum class AfterWrite { Redraw, NoRedraw };
WriteOutcome WriteSheetMetalVariables(SheetMetalVariables& variables,
                                      const CadConnection& connection, ObjectRef document,
                                      const CadValues& targets, double scaleFactor,
                                      EventPump& events, AfterWrite after = AfterWrite::Redraw);

// Redraws the active document after a write: for an assembly the updated
// part's simplified model (when there is one) and the assembly's window,
// otherwise the program's front window.
void RedrawAfterWrite(const CadConnection& connection, const ObjectRef& part);

} // namespace psm::cad
