#pragma once

#include <string>
#include <string_view>

namespace psm {

// The portable core speaks UTF-8; the Win32 API speaks UTF-16. These are
// the only crossing points.
std::wstring Widen(std::string_view utf8);
// 8-bit text of a Windows code page (CP_ACP, CP_UTF8, ...); empty when it
// cannot be converted.
std::wstring WideFromCodePage(unsigned codePage, std::string_view bytes);
std::string Narrow(std::wstring_view utf16);

} // namespace psm
