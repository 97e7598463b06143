#pragma once

#include "app/GdiHandles_win32.h"

namespace psm {

// The font of the system's message boxes, sized for the given DPI. Every
// control of the program uses it.
UniqueFont CreateMessageFont(UINT dpi);

// Sends WM_SETFONT to every child window of parent, at any depth.
void SetFontOnChildren(HWND parent, HFONT font);

} // namespace psm
