// Moves psm.exe into the states that scripts/screenshots.sh photographs, and
// prints the screen region to cut out as WIDTHxHEIGHT+X+Y. Runs under the
// same Wine as psm.exe. One command per run:
//
//   wait-main SECONDS   wait until the main window shows; print its region
//   hover CONTROL-ID    put the mouse over a control of the main window
//   open-menu           right-click the free area, open the first submenu
//   close-menu          press Escape until no popup menu is left
//   choose-type INDEX   choose a row of the type list, as a user would
//   open-info           click cmdInfo, wait for frmInfo; print both windows
//   open-survey         make simcad's Anlage.asm active, choose "Baugruppe
//                       prüfen", wait until its parts are read; print the window
//   end                 click cmdEnd, wait until the main window is gone
//
// Exit code 0 on success, 2 when the expected window did not appear.

#include "app/MainWindowDesign_win32.h"
#include "cad/ComAutomation_win32.h"
#include "tools/driver/DriverApartment_win32.h"
#include "tools/driver/Psm_win32.h"
#include "tools/driver/ScreenRegion_win32.h"
#include "tools/driver/WaitUntil_win32.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>
#include <windows.h>

namespace {

constexpr int MarginPixels = 12;

HWND FindVisible(const wchar_t* className) {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, className, nullptr)) != nullptr) {
        if (IsWindowVisible(found)) {
            return found;
        }
    }
    return nullptr;
}

HWND WaitVisible(const wchar_t* className, DWORD milliseconds) {
    HWND window = nullptr;
    psm::e2e::WaitUntil(
        [&] {
            window = FindVisible(className);
            return window != nullptr;
        },
        milliseconds, 50);
    return window;
}

std::vector<HWND> VisibleMenus() {
    std::vector<HWND> menus;
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, L"#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(found)) {
            menus.push_back(found);
        }
    }
    return menus;
}

void PrintRegion(const std::vector<HWND>& windows) {
    std::printf("%s\n", psm::e2e::ScreenRegion(windows, MarginPixels).c_str());
}

void SendKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(150);
}

// Mouse input at a screen point, as a user would give it. Every event carries
// the point: under Wine a button event without one may land where this
// process last saw the mouse.
INPUT MouseInput(POINT screen, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

void MoveMouseTo(POINT screen) {
    INPUT move = MouseInput(screen, 0);
    SendInput(1, &move, sizeof move);
    Sleep(300);
}

void ClickRight(POINT screen) {
    INPUT inputs[2] = {MouseInput(screen, MOUSEEVENTF_RIGHTDOWN),
                       MouseInput(screen, MOUSEEVENTF_RIGHTUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

int CommandWaitMain(int seconds) {
    HWND main = WaitVisible(psm::MainWindowClassName, static_cast<DWORD>(seconds) * 1000);
    if (main == nullptr) {
        std::fprintf(stderr, "the main window did not appear\n");
        return 2;
    }
    Sleep(300); // let it paint
    PrintRegion({main});
    return 0;
}

int CommandHover(HWND main, int controlId) {
    HWND control = GetDlgItem(main, controlId);
    if (control == nullptr) {
        std::fprintf(stderr, "no control %d\n", controlId);
        return 2;
    }
    RECT frame{};
    GetWindowRect(control, &frame);
    MoveMouseTo(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    PrintRegion({main});
    return 0;
}

// A right click on the free area; false when no popup menu appeared.
bool RightClickFreeArea(HWND main) {
    POINT freeArea = psm::e2e::FreeAreaPoint(main);
    ClientToScreen(main, &freeArea);
    MoveMouseTo(freeArea);
    ClickRight(freeArea);
    if (!psm::e2e::WaitUntil([] { return !VisibleMenus().empty(); }, 3000, 50)) {
        std::fprintf(stderr, "no popup menu appeared\n");
        return false;
    }
    return true;
}

int CommandOpenMenu(HWND main) {
    if (!RightClickFreeArea(main)) {
        return 2;
    }
    SendKey(VK_DOWN);  // the first entry ...
    SendKey(VK_RIGHT); // ... opens its submenu
    Sleep(300);
    std::vector<HWND> windows = VisibleMenus();
    windows.push_back(main);
    PrintRegion(windows);
    return 0;
}

int CommandCloseMenu() {
    for (int i = 0; i < 5 && !VisibleMenus().empty(); ++i) {
        SendKey(VK_ESCAPE);
    }
    return VisibleMenus().empty() ? 0 : 2;
}

int CommandChooseType(HWND main, int index) {
    HWND types = psm::e2e::FindControl(main, psm::MainControl::TypeList);
    const auto count = SendMessageW(types, CB_GETCOUNT, 0, 0);
    if (index < 0 || index >= count) {
        std::fprintf(stderr, "the type list has no row %d\n", index);
        return 2;
    }
    SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(
        GetParent(types), WM_COMMAND,
        MAKEWPARAM(static_cast<WORD>(psm::DesignOf(psm::MainControl::TypeList).Id), CBN_SELCHANGE),
        reinterpret_cast<LPARAM>(types));
    Sleep(300);
    return 0;
}

int CommandOpenInfo(HWND main) {
    PostMessageW(GetDlgItem(main, psm::DesignOf(psm::MainControl::PropertiesButton).Id), BM_CLICK,
                 0, 0);
    HWND info = WaitVisible(psm::PropertiesWindowClassName, 3000);
    if (info == nullptr) {
        std::fprintf(stderr, "the properties window did not appear\n");
        return 2;
    }
    Sleep(300);
    PrintRegion({main, info});
    return 0;
}

// The assembly active in simcad, as a click into its window would make it.
bool ActivateInCad(const std::string& document) {
    const psm::e2e::DriverApartment apartment;
    psm::cad::ComAutomation com;
    auto control = com.GetActiveObject("SimCad.Control");
    return control && control.Value()->Call(psm::cad::Member::ByName("Activate"),
                                            std::vector{psm::cad::Value::Text(document)});
}

int CommandOpenSurvey(HWND main) {
    if (!ActivateInCad("Anlage.asm")) {
        std::fprintf(stderr, "simcad did not make Anlage.asm active\n");
        return 2;
    }
    Sleep(500); // psm follows the active document
    if (!RightClickFreeArea(main)) {
        return 2;
    }
    for (const WORD key : {VK_DOWN, VK_RIGHT, VK_UP, VK_UP, VK_UP, VK_RETURN}) {
        SendKey(key);
    }
    HWND survey = WaitVisible(psm::SurveyWindowClassName, 5000);
    if (survey == nullptr ||
        !psm::e2e::WaitUntil(
            [&] { return !IsWindowEnabled(GetDlgItem(survey, psm::SurveyCancelId)); }, 10000, 50)) {
        std::fprintf(stderr, "the survey window did not read its parts\n");
        return 2;
    }
    Sleep(300);
    PrintRegion({survey});
    return 0;
}

int CommandEnd(HWND main) {
    PostMessageW(GetDlgItem(main, psm::DesignOf(psm::MainControl::ExitButton).Id), BM_CLICK, 0, 0);
    if (psm::e2e::WaitUntil([&] { return !IsWindow(main); }, 5000, 50)) {
        return 0;
    }
    std::fprintf(stderr, "the main window is still there\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: psm_screenshot_driver COMMAND [ARGUMENT]\n");
        return 1;
    }
    const std::wstring command = argv[1];
    const int argument = argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 0;
    if (command == L"wait-main") {
        return CommandWaitMain(argument > 0 ? argument : 20);
    }
    if (command == L"close-menu") {
        return CommandCloseMenu();
    }
    HWND main = FindVisible(psm::MainWindowClassName);
    if (main == nullptr) {
        std::fprintf(stderr, "psm.exe is not running\n");
        return 2;
    }
    if (command == L"hover") {
        return CommandHover(main, argument);
    }
    if (command == L"open-menu") {
        return CommandOpenMenu(main);
    }
    if (command == L"choose-type") {
        return CommandChooseType(main, argument);
    }
    if (command == L"open-info") {
        return CommandOpenInfo(main);
    }
    if (command == L"open-survey") {
        return CommandOpenSurvey(main);
    }
    if (command == L"end") {
        return CommandEnd(main);
    }
    std::fprintf(stderr, "unknown command\n");
    return 1;
}
