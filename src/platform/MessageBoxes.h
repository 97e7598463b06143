#pragma once

#include <string>

namespace psm {

enum class MessageIcon { Critical, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };

// The button the user pressed; the values are those of the platform's message box.
enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The answer when no box could be shown: the one that goes on least.
constexpr MessageAnswer CautiousAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

// Modal message boxes, the only way the program tells the user of a problem.
// The main window implements it; tests record what would have been shown.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                                      MessageButtons buttons, MessageIcon icon) = 0;
};

} // namespace psm
