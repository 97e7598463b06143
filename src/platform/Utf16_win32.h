#pragma once

#include <string>
#include <string_view>

namespace psm {

// The portable core speaks UTF-8; the Win32 API speaks UTF-16. These two are
// the only crossing points.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace psm
