#include "platform/AnsiCodePage_win32.h"

#include "platform/Utf16_win32.h"

#include <windows.h>

namespace psm {

std::string DecodeAnsiCodePage(std::string_view bytes) {
    return Narrow(WideFromCodePage(CP_ACP, bytes));
}

} // namespace psm
