#include "platform/Folders_win32.h"

#include <windows.h>

namespace psm {
namespace {

bool CreateFolders(const std::wstring& folder) {
    if (folder.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const size_t separator = folder.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator > 0) {
        CreateFolders(folder.substr(0, separator));
    }
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

bool CreateFolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator != std::wstring::npos && CreateFolders(path.substr(0, separator));
}

} // namespace psm
