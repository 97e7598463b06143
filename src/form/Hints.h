#pragma once

// Status-bar hints: moving the mouse over a control shows what it does; over
// the window's free area the text is cleared.

#include "core/AppState.h"
#include "core/Services.h"

#include <optional>

namespace psm {

// The hint of a picture button, Label1 or Picture1; nothing for the others.
std::optional<CaptionText> HintOf(MainControl control);

// cmdWrite_MouseMove, cmdUndo_MouseMove, ..., Picture1_MouseMove, Form_MouseMove.
// The lists and the status bar have no such handler: over them the text stays.
void ShowHint(AppState& state, const Services& services, MainControl control);

// Gives each picture button its hint as its name for screen readers, in the
// language of the texts.
void NameButtons(const AppState& state, const Services& services);

} // namespace psm
