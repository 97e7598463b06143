#pragma once

#include "app/GdiHandles_win32.h"
#include "core/MainView.h"

#include <windows.h>

namespace psm {

// A length designed in pixels at 96 DPI, at `dpi`.
inline int ScaledPixels(int designPixels, UINT dpi) {
    return MulDiv(designPixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

// What every window of the shell draws at its DPI: the DPI itself, the
// message font made for it, and the conversion of its design (in twips, or in
// pixels at 96 DPI) to pixels at that DPI.
class WindowScale {
  public:
    UINT Dpi() const noexcept { return m_dpi; }

    // Takes `dpi` and gives every control of `window` the message font made
    // for it; the old font goes only once no control uses it.
    void Apply(HWND window, UINT dpi);

    int Pixels(int32_t twips) const;
    RECT PixelRect(const TwipsRect& twips) const;
    // A length designed in pixels at 96 DPI.
    int ScaledPixels(int designPixels) const { return psm::ScaledPixels(designPixels, m_dpi); }

  private:
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    UniqueFont m_font;
};

// The DPI a WM_DPICHANGED brings.
inline UINT ChangedDpi(WPARAM wParam) {
    return HIWORD(wParam);
}

// Places a window where WM_DPICHANGED suggests, at `size`.
void MoveToSuggested(HWND window, LPARAM lParam, SIZE size);

// The size WM_DPICHANGED suggests, for a window that keeps it.
SIZE SuggestedSize(LPARAM lParam);

} // namespace psm
