#pragma once

// The popup menu of the main window and the commands of its items (the
// assembly check is the survey's); the application's command table routes
// each item to its command.

#include "core/AppState.h"
#include "core/MainView.h"
#include "core/Services.h"

#include <optional>

namespace psm {

// The right mouse button on the window's free area: the popup menu, and the
// command of the item chosen, if any.
std::optional<MenuCommand> ChooseFromPopupMenu(const AppState& state, const Services& services);

// Installs the program's button in the CAD program.
void InstallButton(AppState& state, const Services& services);

// Lets the user choose another value file, stores its path and ends the
// program; the file is read at the next start. Cancel stores the path unchanged.
void ChooseValueFile(AppState& state, const Services& services);

// Shows the check of the value file in a box: its problems with their lines,
// the first of them and a count of the rest, or that it has none.
void ShowValueFileCheck(AppState& state, const Services& services);

// Switches every text to the language at once and stores the choice for the
// next start.
void SwitchLanguage(AppState& state, const Services& services, Language language);

// Turns the trace of the CAD calls on or off at once, and for the next
// start; says so when its file cannot be written.
void ToggleTrace(AppState& state, const Services& services);

// Opens the journal in the user's editor for text files, created with its
// header when it does not exist yet; says so when it cannot be written.
void OpenJournal(AppState& state, const Services& services);

} // namespace psm
