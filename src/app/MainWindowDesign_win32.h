#pragma once

#include "core/MainWindowDesign.h"

namespace psm {

// Window classes of the two windows; a test driver finds them by these.
inline constexpr wchar_t MainWindowClassName[] = L"frmBlechWerte";
inline constexpr wchar_t InfoWindowClassName[] = L"frmInfo";

} // namespace psm
