#pragma once

// What the two lists show: all tables, the types of one table, the chosen
// table and type. The user's choices and the document's own type set them;
// the presenter draws them.

#include "core/AppState.h"

namespace psm {

// The preselected position in a table of rows first..last: half the distance,
// rounded to the nearest integer, ties to the even one.
int MiddlePosition(int first, int last);

// The user chose a table: the type list holds its types, the middle one
// chosen (none for a table without types). A position the list does not have
// is ignored.
void ChooseTable(AppState& state, int position);

// The user chose a type of the type list; a position it does not have is ignored.
void ChooseType(AppState& state, int position);

// As ChooseType, for a type list that held the types of `table` (1-based)
// when the user chose: a choice handled after a command that showed another
// table's types chooses that table again, and the type the user saw.
void ChooseTypeOf(AppState& state, int table, int position);

// The lists show the table and type the document carries: none when it
// carries none, and with a document that is no sheet metal no selection at
// all (the type list keeps its entries).
void ShowDocumentType(AppState& state);

// The "reset list" button: as ShowDocumentType, and without a table shown
// the type list is emptied too.
void ResetLists(AppState& state);

// The TypeList row of the type the lists show; 0 when they show none. A
// command acts on this type, never on one the lists no longer show.
int ShownTypeRow(const AppState& state);

// The type the write acts on: the one the lists show, once the user has
// chosen one since start; 0 before that.
int ChosenTypeRow(const AppState& state);

} // namespace psm
