#pragma once

// Where psm keeps its settings and what the start-up and the command line
// take from them: the value file and the language.

#include "core/States.h"
#include "platform/ProgramLocation.h"
#include "tables/SettingsStore.h"

#include <string>

namespace psm {

// Application "ORNA\psm", section "general".
SettingsNames ProgramSettingsNames();

// The value file a start reads: the stored "filename", or psm_mm.txt in the
// program's folder when none is stored.
std::string StartValueFilePath(const SettingsStore& settings, const SettingsNames& names,
                               const ProgramLocation& location);

// The texts in the language the user chose.
LanguageTexts TextsInStoredLanguage(const SettingsStore& settings, const SettingsNames& names);

} // namespace psm
