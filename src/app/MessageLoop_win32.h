#pragma once

#include "platform/EventPump.h"

namespace psm {

class MainWindow;
class SurveyWindow;

// The program's one message loop. It ends as soon as the main window has
// ended the program and hands out nothing after that.
int RunMessageLoop(MainWindow& mainWindow, SurveyWindow& surveyWindow);

// Lets the windows repaint once, as the variable write asks between its last
// put and the redraw. Only repaints: a click or key waiting meanwhile stays
// queued and is handled after the command, never inside it. Bounded, so a
// flood of messages cannot hold the write up.
class MessagePump final : public EventPump {
  public:
    explicit MessagePump(MainWindow& mainWindow) : m_mainWindow(mainWindow) {}
    void ProcessPendingEvents() override;

  private:
    MainWindow& m_mainWindow;
};

} // namespace psm
