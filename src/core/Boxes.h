#pragma once

// The boxes a behaviour asks the user with, titled and worded in the user's
// language.

#include "platform/MessageBoxes.h"
#include "texts/Texts.h"

#include <string>

namespace psm {

struct Asking {
    MessageBoxes& Boxes;
    const LanguageTexts& Texts;

    MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon,
                       MessageText title = MessageText::Title) const {
        return Boxes.ShowMessage(text, Texts.Message(title), buttons, icon);
    }
};

} // namespace psm
