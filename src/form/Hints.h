#pragma once

// Status-bar hints: moving the mouse over a control shows what it does; over
// the window's free area the text is cleared.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// The caption text number of an area's hint; 0 for the free area (empty text).
int HintTextNumber(HintArea area);

// cmdWrite_MouseMove, cmdUndo_MouseMove, ..., Picture1_MouseMove, Form_MouseMove.
void ShowHint(const AppState& state, const Services& services, HintArea area);

// Gives each picture button its hint as its name for screen readers, in the
// language of the texts.
void NameButtons(const AppState& state, const Services& services);

} // namespace psm
