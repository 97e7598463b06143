#pragma once

// A document's values beside the value file's: read in CAD units, compared
// and shown in the file's unit, written back as the number texts the old
// values were always carried as. The rounding is the write's: a value goes
// into the document exactly as it always did.

#include "cad/SheetMetalVariables.h"
#include "tables/TableModel.h"
#include "tables/TypeMatch.h"

namespace psm {

// The document's values in the file's unit, to 15 significant digits as
// their number texts hold them.
FiveValues TableValuesOf(const cad::CadValues& values, double scaleFactor);

// The type of the value file that carries the document's values; 0: none.
int RecognisedType(const TableModel& tables, const cad::CadValues& values);

// A type's values in CAD units, to 15 significant digits, and how many of
// them, from the first on, could be converted: a value that is no number, or
// any length without a scale factor, stops the conversion there.
struct TypeTargets {
    cad::CadValues Values;
    int Converted = 0;
    bool Whole() const { return Converted == static_cast<int>(Values.size()); }
};
TypeTargets TargetsOfType(const TypeRow& type, double scaleFactor);

// The document's own values again, as the write back puts them: through
// their number text in the file's unit, back to CAD units, to 15 digits.
cad::CadValues RestoreTargets(const cad::CadValues& values, double scaleFactor);

} // namespace psm
