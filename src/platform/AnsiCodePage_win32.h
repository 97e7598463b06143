#pragma once

#include <string>
#include <string_view>

namespace psm {

// 8-bit text of the system's ANSI code page as UTF-8.
std::string DecodeAnsiCodePage(std::string_view bytes);

} // namespace psm
