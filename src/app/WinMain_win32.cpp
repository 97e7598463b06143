#include "app/App.h"
#include "app/InfoWindow_win32.h"
#include "app/MainWindow_win32.h"
#include "app/MessageBoxes_win32.h"
#include "app/MessageLoop_win32.h"
#include "cad/ComApartment_win32.h"
#include "cad/ComAutomation_win32.h"
#include "cad/MessageFilter_win32.h"
#include "platform/AnsiCodePage_win32.h"
#include "platform/DecimalSeparator_win32.h"
#include "platform/ProgramLocation_win32.h"
#include "tables/RegistrySettingsStore_win32.h"
#include "texts/Texts.h"

#include <array>
#include <commctrl.h>
#include <string>
#include <windows.h>

namespace {

std::array<std::string, 5> ButtonNames() {
    // The buttons' hints (texts 4 to 8) double as their accessible names.
    psm::TextTables texts;
    LoadTexts(texts);
    return {texts.Caption(4), texts.Caption(5), texts.Caption(6), texts.Caption(7),
            texts.Caption(8)};
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // The user-interface thread is a single-threaded apartment: the CAD
    // automation, its busy-retry message filter and the file dialog need it.
    // Declared first, so that it ends after every COM reference below.
    const psm::cad::ComApartment apartment;
    const psm::cad::MessageFilterRegistration messageFilter;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    psm::MainWindow mainWindow(instance);
    psm::InfoWindow infoWindow(instance, mainWindow);
    psm::Win32MessageBoxes messageBoxes(mainWindow);
    psm::RegistrySettingsStore settings;
    psm::cad::ComAutomation automation;
    psm::MessagePump pump(mainWindow);
    const psm::ExecutableLocation location;

    psm::App app({.View = mainWindow,
                  .Info = infoWindow,
                  .Boxes = messageBoxes,
                  .Settings = settings,
                  .Automation = automation,
                  .Pointer = mainWindow,
                  .Events = pump,
                  .Location = location,
                  .UserDecimalSeparator = psm::UserDecimalSeparator,
                  .DecodeAnsi = psm::DecodeAnsiCodePage});

    if (!mainWindow.Create(app)) {
        return 1;
    }
    infoWindow.SetEvents(app);
    mainWindow.SetButtonNames(ButtonNames());
    mainWindow.Load(showCommand);
    return psm::RunMessageLoop(mainWindow);
}
