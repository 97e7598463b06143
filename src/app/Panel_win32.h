#pragma once

#include <windows.h>

namespace psm {

// A plain child window that holds other controls (Picture1) and hands their
// notifications on to its parent.
inline constexpr wchar_t PanelClassName[] = L"psmPanel";

bool RegisterPanelClass(HINSTANCE instance);

} // namespace psm
