#pragma once

namespace psm {

class MainWindow;

// The program's one message loop. It ends as soon as the main window has
// ended the program and hands out nothing after that.
int RunMessageLoop(MainWindow& mainWindow);

} // namespace psm
