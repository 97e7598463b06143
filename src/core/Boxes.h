#pragma once

// The message boxes of the program's procedures, titled as the program is.

#include "core/AppState.h"
#include "core/Services.h"

#include <string>

namespace psm {

// Shows the box, unless the program has ended meanwhile (a poll under an
// open box can end it): then nothing is shown and the answer is the one that
// goes on least, Cancel, No or OK.
MessageAnswer ShowBox(const AppState& state, const Services& services, const std::string& text,
                      MessageButtons buttons, MessageIcon icon,
                      MessageText title = MessageText::Title);

} // namespace psm
