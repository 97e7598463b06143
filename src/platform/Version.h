#pragma once

#include "platform/ProgramVersion.h"

#include <string_view>

namespace psm {

// "psm 0.1.0": the head of every report psm writes, and what "psm.exe
// /version" prints.
inline constexpr std::string_view VersionLine = "psm " PSM_VERSION_TEXT;

} // namespace psm
