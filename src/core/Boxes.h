#pragma once

// The message boxes of the program's commands, titled as the program is.

#include "core/AppState.h"
#include "core/Services.h"

#include <string>

namespace psm {

MessageAnswer ShowBox(const AppState& state, const Services& services, const std::string& text,
                      MessageButtons buttons, MessageIcon icon,
                      MessageText title = MessageText::Title);

} // namespace psm
