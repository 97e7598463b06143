#include "tools/driver/ScreenRegion_win32.h"

#include <cstdio>

namespace psm::e2e {

std::string ScreenRegion(const std::vector<HWND>& windows, int margin) {
    RECT all{};
    bool first = true;
    for (HWND window : windows) {
        if (window == nullptr || !IsWindowVisible(window)) {
            continue;
        }
        RECT frame{};
        GetWindowRect(window, &frame);
        if (first) {
            all = frame;
            first = false;
        } else {
            UnionRect(&all, &all, &frame);
        }
    }
    InflateRect(&all, margin, margin);
    all.left = all.left < 0 ? 0 : all.left;
    all.top = all.top < 0 ? 0 : all.top;
    char text[64];
    std::snprintf(text, sizeof text, "%ldx%ld+%ld+%ld", all.right - all.left, all.bottom - all.top,
                  all.left, all.top);
    return text;
}

} // namespace psm::e2e
