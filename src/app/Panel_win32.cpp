#include "app/Panel_win32.h"

#include "platform/WindowBinding_win32.h"

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
    return RegisterWindowClass(instance, {.Name = PanelClassName}, PanelProc);
}

} // namespace psm
