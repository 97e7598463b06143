#pragma once

// The part of the screen a screenshot of some windows is cut to.

#include <string>
#include <vector>
#include <windows.h>

namespace psm::e2e {

// The union of the visible windows' frames, `margin` pixels wider on every
// side but not beyond the screen's top-left corner, written as the geometry
// WIDTHxHEIGHT+X+Y. Hidden windows and null handles are left out.
std::string ScreenRegion(const std::vector<HWND>& windows, int margin);

} // namespace psm::e2e
