#include "app/Screen_win32.h"

#include "app/Twips_win32.h"

namespace psm {

UINT ScreenDpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

UINT WindowDpi(HWND window) {
    const UINT dpi = window != nullptr ? GetDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : ScreenDpi();
}

TwipsRect WindowRectInTwips(HWND window) {
    RECT frame{};
    if (IsIconic(window)) {
        // A minimised window sits far off-screen; report where it comes back to.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        frame = placement.rcNormalPosition;
        // The normal position is in work-area coordinates unless it is a tool window.
        if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            if (GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
                OffsetRect(&frame, monitor.rcWork.left - monitor.rcMonitor.left,
                           monitor.rcWork.top - monitor.rcMonitor.top);
            }
        }
    } else {
        GetWindowRect(window, &frame);
    }
    const UINT screenDpi = ScreenDpi();
    const UINT windowDpi = WindowDpi(window);
    return TwipsRect{PixelsToTwips(frame.left, screenDpi), PixelsToTwips(frame.top, screenDpi),
                     PixelsToTwips(frame.right - frame.left, windowDpi),
                     PixelsToTwips(frame.bottom - frame.top, windowDpi)};
}

RECT WindowRectInPixels(HWND window, const TwipsRect& twips) {
    const UINT screenDpi = ScreenDpi();
    const UINT windowDpi = WindowDpi(window);
    const int left = TwipsToPixels(twips.Left, screenDpi);
    const int top = TwipsToPixels(twips.Top, screenDpi);
    return RECT{left, top, left + TwipsToPixels(twips.Width, windowDpi),
                top + TwipsToPixels(twips.Height, windowDpi)};
}

void MoveWindowInTwips(HWND window, const TwipsRect& twips) {
    const RECT frame = WindowRectInPixels(window, twips);
    SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipsRect ScreenTwipsOf(const RECT& frame, UINT screenDpi) {
    return TwipsRect{PixelsToTwips(frame.left, screenDpi), PixelsToTwips(frame.top, screenDpi),
                     PixelsToTwips(frame.right - frame.left, screenDpi),
                     PixelsToTwips(frame.bottom - frame.top, screenDpi)};
}

RECT ScreenPixelsOf(const TwipsRect& frame, UINT screenDpi) {
    const int left = TwipsToPixels(frame.Left, screenDpi);
    const int top = TwipsToPixels(frame.Top, screenDpi);
    // The far edges from the far edges in twips, so that frames that touch in
    // twips touch in pixels.
    return RECT{left, top, TwipsToPixels(frame.Left + frame.Width, screenDpi),
                TwipsToPixels(frame.Top + frame.Height, screenDpi)};
}

int32_t PrimaryScreenWidthInTwips() {
    return PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), ScreenDpi());
}

std::vector<TwipsRect> MonitorAreasInTwips() {
    std::vector<TwipsRect> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM context) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                reinterpret_cast<std::vector<TwipsRect>*>(context)->push_back(
                    ScreenTwipsOf(info.rcMonitor, ScreenDpi()));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

} // namespace psm
