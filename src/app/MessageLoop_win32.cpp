#include "app/MessageLoop_win32.h"

#include "app/MainWindow_win32.h"
#include "app/SurveyWindow_win32.h"

namespace psm {
namespace {

void Dispatch(MainWindow& mainWindow, SurveyWindow& surveyWindow, MSG& message) {
    if (mainWindow.TranslateDialogMessage(message) ||
        surveyWindow.TranslateDialogMessage(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int RunMessageLoop(MainWindow& mainWindow, SurveyWindow& surveyWindow) {
    MSG message{};
    // The main window is gone once the program has ended.
    while (mainWindow.Handle() != nullptr) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) {
            break;
        }
        Dispatch(mainWindow, surveyWindow, message);
    }
    return 0;
}

void MessagePump::ProcessPendingEvents() {
    constexpr int MaxMessages = 256;
    MSG message{};
    for (int handled = 0; handled < MaxMessages && m_mainWindow.Handle() != nullptr; ++handled) {
        if (!PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            return;
        }
        DispatchMessageW(&message);
    }
}

} // namespace psm
