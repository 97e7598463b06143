#include "app/Panel_win32.h"

namespace psm {
namespace {

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (HWND parent = GetParent(panel)) {
            return SendMessageW(parent, message, wParam, lParam);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(panel, message, wParam, lParam);
}

} // namespace

bool RegisterPanelClass(HINSTANCE instance) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, PanelClassName, &existing)) {
        return true;
    }
    WNDCLASSEXW panelClass{};
    panelClass.cbSize = sizeof panelClass;
    panelClass.lpfnWndProc = PanelProc;
    panelClass.hInstance = instance;
    panelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panelClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    panelClass.lpszClassName = PanelClassName;
    return RegisterClassExW(&panelClass) != 0;
}

} // namespace psm
