#pragma once

#include "core/MainView.h"

#include <vector>
#include <windows.h>

namespace psm {

// Screen coordinates in twips. Positions on the screen convert at the system
// DPI (the primary monitor's at logon, fixed for the process), so that a
// stored position means the same place on every run. A window's size converts
// at the window's own DPI, so that it holds its designed content on any
// monitor.
UINT ScreenDpi();
UINT WindowDpi(HWND window);

// The outer frame; the normal (restored) frame while the window is minimised.
TwipsRect WindowRectInTwips(HWND window);
RECT WindowRectInPixels(HWND window, const TwipsRect& twips);
void MoveWindowInTwips(HWND window, const TwipsRect& twips);

// A frame converted position and size alike at one DPI, the system's: what
// windows of different DPI are placed beside each other in.
TwipsRect ScreenTwipsOf(const RECT& frame, UINT screenDpi);
RECT ScreenPixelsOf(const TwipsRect& frame, UINT screenDpi);

int32_t PrimaryScreenWidthInTwips();
std::vector<TwipsRect> MonitorAreasInTwips();

} // namespace psm
