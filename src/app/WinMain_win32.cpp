#include "app/InfoWindow_win32.h"
#include "app/MainWindow_win32.h"
#include "app/MessageBoxes_win32.h"
#include "app/MessageLoop_win32.h"
#include "app/TemporaryShellEvents_win32.h"
#include "texts/Texts.h"

#include <array>
#include <commctrl.h>
#include <objbase.h>
#include <string>
#include <windows.h>

namespace {

// The user-interface thread is a single-threaded COM apartment: the CAD
// automation and the file dialog both need it.
class ComApartment {
  public:
    ComApartment()
        : m_initialised(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (m_initialised) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool m_initialised;
};

std::array<std::string, 5> ButtonNames(const psm::TextTables& texts) {
    // The buttons' hints (texts 4 to 8) double as their accessible names.
    return {texts.Caption(4), texts.Caption(5), texts.Caption(6), texts.Caption(7),
            texts.Caption(8)};
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const ComApartment apartment;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    psm::TextTables texts;
    LoadTexts(texts);

    psm::MainWindow mainWindow(instance);
    psm::InfoWindow infoWindow(instance, mainWindow);
    psm::Win32MessageBoxes messageBoxes(mainWindow);
    // TEMPORARY until the core lands: its application object takes the three
    // views above and replaces this stand-in.
    psm::TemporaryShellEvents events(mainWindow, texts);

    if (!mainWindow.Create(events)) {
        return 1;
    }
    infoWindow.SetEvents(events);
    mainWindow.SetButtonNames(ButtonNames(texts));
    mainWindow.Load(showCommand);
    return psm::RunMessageLoop(mainWindow);
}
