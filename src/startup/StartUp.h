#pragma once

// The start-up of the main window and the window's place on the screen.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// Where the program keeps its settings: application "ORNA\psm", section "general".
SettingsNames ProgramSettingsNames();

// The value file a start reads: the stored "filename", or psm_mm.txt in the
// program's folder when none is stored.
std::string StartValueFilePath(const SettingsStore& settings, const SettingsNames& names,
                               const ProgramLocation& location);

// All texts, to be shown in the language the user chose.
void LoadTextsInStoredLanguage(TextTables& texts, const SettingsStore& settings,
                               const SettingsNames& names);

// The start-up sequence, in its fixed order. A value file that cannot be read
// is reported and ends the start-up before the CAD program is contacted.
void Form_Load(AppState& state, const Services& services);

// Sizes the window, puts it at its stored position and sets the captions.
void RestoreWindowPosition(AppState& state, const Services& services);

} // namespace psm
