#include "platform/ProgramLocation_win32.h"

#include "platform/Utf16_win32.h"

#include <windows.h>

namespace psm {
namespace {

std::wstring ModulePath() {
    // Paths can exceed MAX_PATH; grow until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

ExecutableLocation::ExecutableLocation() {
    const std::wstring path = ModulePath();
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        m_fileName = Narrow(path);
        return;
    }
    m_fileName = Narrow(std::wstring_view(path).substr(separator + 1));
    // "C:\psm.exe" keeps its root backslash: "C:" alone would mean the
    // drive's current folder.
    const bool driveRoot = separator == 2 && path[1] == L':';
    m_folder = Narrow(std::wstring_view(path).substr(0, driveRoot ? separator + 1 : separator));
}

} // namespace psm
