#pragma once

#include "platform/MessageBoxes.h"

#include <windows.h>

namespace psm {

class MainWindow;

// MessageBoxW flags for the core's choice of buttons and icon.
UINT MessageBoxStyle(MessageButtons buttons, MessageIcon icon);

// The core's answer for a MessageBoxW result. A box that could not be shown
// (result 0) counts as the cautious answer: Cancel or No.
MessageAnswer AnswerOf(int result, MessageButtons buttons);

// Message boxes modal to the main window.
class Win32MessageBoxes final : public MessageBoxes {
  public:
    explicit Win32MessageBoxes(const MainWindow& owner) : m_owner(owner) {}

    // Shows every box it is asked for: whether one is shown after the program
    // has ended is the core's decision (ShowBox).
    MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                              MessageButtons buttons, MessageIcon icon) override;

  private:
    const MainWindow& m_owner;
};

} // namespace psm
