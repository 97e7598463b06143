#pragma once

// Table and type selection: the reactions of the two lists, the display of
// the document's own table and type, and the "reset list" button.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// The selection reactions of the two lists.
void Combo1_Click(AppState& state, const Services& services); // FillTypeCombo
void Combo2_Click(AppState& state, const Services& services); // ShowSelectedValues

// Fills the type list with the chosen table's types and preselects the middle one.
void FillTypeCombo(AppState& state, const Services& services);

// SelectedTypeRow from the two lists' selection.
void ShowSelectedValues(AppState& state);

// Makes the type the lists show the chosen one (SelectedTypeRow), or none
// when they show none, for a command that acts on the chosen type: an earlier
// choice the lists no longer show must not be written or displayed.
void TakeShownType(AppState& state);

// Shows the document's name and selects the table and type the watch found.
// Callers hold a ListsFilledByProgram, so that the lists' reactions stay quiet.
void ShowCurrentType(AppState& state, const Services& services);

// The reset sequence of the "reset list" button.
void cmdUndo_Click(AppState& state, const Services& services);

// The preselected position in a table of rows first..last: half the distance,
// rounded to the nearest integer, ties to the even one.
int MiddlePosition(int first, int last);

} // namespace psm
