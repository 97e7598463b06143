#pragma once

#include <windows.h>

namespace psm {

// A plain child window that holds other controls (the list panel) and hands their
// notifications on to its parent.
inline constexpr wchar_t PanelClassName[] = L"psmPanel";

bool RegisterPanelClass(HINSTANCE instance);

} // namespace psm
