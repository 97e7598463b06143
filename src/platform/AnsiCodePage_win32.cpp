#include "platform/AnsiCodePage_win32.h"

#include "platform/Utf16_win32.h"

#include <climits>
#include <windows.h>

namespace psm {

std::string DecodeAnsiCodePage(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return Narrow(wide);
}

} // namespace psm
