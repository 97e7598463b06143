#pragma once

// What the two lists show: all tables, the types of one table, the chosen
// table and type. The user's choices and the document's own type set them;
// the presenter draws them.

#include "core/States.h"
#include "tables/TableModel.h"

namespace psm {

// The preselected position in a table of rows first..last: half the distance,
// rounded to the nearest integer, ties to the even one.
int MiddlePosition(int first, int last);

// The user chose a table: the type list holds its types, the middle one
// chosen (none for a table without types). A position the list does not have
// is ignored.
void ChooseTable(ListsState& lists, const TableModel& tables, int position);

// The user chose a type of the type list; a position it does not have is ignored.
void ChooseType(ListsState& lists, const TableModel& tables, int position);

// As ChooseType, for a type list that held the types of `table` (1-based)
// when the user chose: a choice handled after a command that showed another
// table's types chooses that table again, and the type the user saw.
void ChooseTypeOf(ListsState& lists, const TableModel& tables, int table, int position);

// The user chose type `row` (a row of the tables) by its table and then
// itself; a row of no table is ignored.
void ChooseTypeRow(ListsState& lists, const TableModel& tables, int row);

// The lists show the table and type the document carries: none when it
// carries none, and with a document that is no sheet metal no selection at
// all (the type list keeps its entries).
void ShowDocumentType(ListsState& lists, const TableModel& tables, const ShownDocument& document);

// The "reset list" button: as ShowDocumentType, and without a table shown
// the type list is emptied too.
void ResetLists(ListsState& lists, const TableModel& tables, const ShownDocument& document);

} // namespace psm
