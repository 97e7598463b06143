#pragma once

// The texts the main window carries in the current language: its title, the
// popup menu's captions, the buttons' names and the status bar's hint.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// Sets them all from the texts in LanguageIndex; start-up calls it, and the
// language menu after a change.
void SetCaptions(AppState& state, const Services& services);

} // namespace psm
