#pragma once

// The popup menu of the main window and the handlers of its items.

#include "core/AppState.h"
#include "core/MainView.h"
#include "core/Services.h"

#include <vector>

namespace psm {

// The items below the popup root mnuOpt: "Optionen" with "Installieren",
// the language submenu ("Deutsch", "english", the current one checked),
// "Textdatei", "Textdatei prüfen", "Journal" and the hidden, disabled
// "ScaleFactor"; then the hidden "Hilfe".
std::vector<MenuItem> PopupMenuItems(const MenuCaptions& captions, int16_t language);

// Runs the handler of a chosen item; items without a handler do nothing.
void RunMenuCommand(AppState& state, const Services& services, MenuCommand command);

// Installs the program's button in the CAD program.
void mnuIcon_Click(AppState& state, const Services& services);

// Lets the user choose another value file, stores its path and ends the
// program; the file is read at the next start. Cancel stores the path unchanged.
void mnutextfile_Click(AppState& state, const Services& services);

// Shows the check of the value file in a box: its problems with their lines,
// the first of them and a count of the rest, or that it has none.
void mnuCheckFile_Click(AppState& state, const Services& services);

// Switches every text to the language (TextTables::German or English) at
// once and stores the choice for the next start.
void mnuLang_Click(AppState& state, const Services& services, int16_t language);

// The scale factor comes from the settings or the unit line only.
void mnuScaleFactor_Click(AppState& state, const Services& services);

// Opens the journal in the user's editor for text files, created with its
// header when it does not exist yet; says so when it cannot be written.
void mnuJournal_Click(AppState& state, const Services& services);

} // namespace psm
