#include "tools/driver/Files_win32.h"

#include "platform/ProgramLocation_win32.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <windows.h>

namespace psm::e2e {

std::wstring ProgramFolder() {
    std::wstring folder = Widen(ExecutableLocation().ProgramFolder());
    // A drive root keeps its backslash already.
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    return folder;
}

std::wstring NewTempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder =
        std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool WriteTextFile(const std::wstring& path, const std::string& utf8) {
    const UniqueHandle file = OwnFileHandle(CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    return ok && written == utf8.size();
}

} // namespace psm::e2e
