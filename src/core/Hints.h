#pragma once

// Status-bar hints: moving the mouse over a control shows what it does; over
// the window's free area the text is cleared; over the lists and the status
// bar it stays.

#include "core/MainControls.h"
#include "texts/Texts.h"

#include <optional>

namespace psm {

// The hint of a picture button, the document label or the list panel.
std::optional<CaptionText> HintOf(MainControl control);

// The mouse moved over `control`: the hint the status bar shows from now on.
void TrackHint(std::optional<CaptionText>& hint, MainControl control);

} // namespace psm
