#pragma once

// The two drop-down lists as the program keeps them. The view only mirrors
// them. Setting a selection from code raises the same reaction as a user's
// choice (Combo1: FillTypeCombo, Combo2: ShowSelectedValues), whatever the
// platform's control does; FormReady is what keeps those reactions quiet.

#include "core/AppState.h"
#include "core/Services.h"

#include <string>

namespace psm {

ListState& List(AppState& state, ListId list);

// Removes every entry; the list has no selection afterwards. Not a selection
// change: no reaction runs.
void ClearList(AppState& state, const Services& services, ListId list);
void AddListItem(AppState& state, const Services& services, ListId list, const std::string& text);

// Selection from code: -1 or the position of an entry. The view follows,
// then the list's selection reaction runs. A position the list does not have
// selects nothing and raises nothing.
void SelectListEntry(AppState& state, const Services& services, ListId list, int position);

// The user chose an entry (the view already shows it): the program's list
// follows and the reaction runs. A position the list does not have is ignored.
void UserSelectsListEntry(AppState& state, const Services& services, ListId list, int position);

} // namespace psm
