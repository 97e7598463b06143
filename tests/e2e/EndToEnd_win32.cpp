#include "EndToEnd_win32.h"

#include "platform/Utf16_win32.h"

namespace psm::e2e {
namespace {

// The driver's own window, for "the user clicks somewhere else".
HWND Desk() {
    static HWND desk = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PsmEndToEndDesk";
        RegisterClassW(&windowClass);
        return CreateWindowExW(0, L"PsmEndToEndDesk", L"end-to-end driver", WS_OVERLAPPEDWINDOW,
                               700, 500, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    }();
    return desk;
}

} // namespace

std::wstring Wide(const std::string& utf8) {
    return Widen(utf8);
}

std::wstring LocalNumber(std::wstring text) {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 0) {
        for (wchar_t& c : text) {
            if (c == L'.') {
                c = separator[0];
            }
        }
    }
    return text;
}

void EndToEnd::SetUp() {
    m_folder = NewTempFolder(L"psm-e2e");
    ASSERT_TRUE(settings::PrepareValueFile(ValueFilePath(), ValueFile));
}

void EndToEnd::TearDown() {
    psm.End();
    simcad.Quit();
}

void EndToEnd::StartCad(const char* scenario) {
    ASSERT_TRUE(simcad.Start(scenario)) << simcad.Problem();
}

void EndToEnd::StartPsm() {
    ASSERT_TRUE(psm.Start()) << "psm.exe did not show its window";
}

void EndToEnd::Start(const char* scenario) {
    ASSERT_NO_FATAL_FAILURE(StartCad(scenario));
    ASSERT_NO_FATAL_FAILURE(StartPsm());
}

void EndToEnd::Switch(const std::string& document) {
    ASSERT_TRUE(simcad.Activate(document)) << document << ": " << simcad.Problem();
}

void EndToEnd::ClickElsewhere() {
    ShowWindow(Desk(), SW_SHOWNORMAL);
    SetForegroundWindow(Desk());
    WaitUntil([] { return false; }, 100);
}

} // namespace psm::e2e
