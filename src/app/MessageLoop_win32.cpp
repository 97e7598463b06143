#include "app/MessageLoop_win32.h"

#include "app/MainWindow_win32.h"

namespace psm {

int RunMessageLoop(MainWindow& mainWindow) {
    MSG message{};
    while (!mainWindow.Ended()) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) {
            break;
        }
        if (mainWindow.TranslateDialogMessage(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace psm
