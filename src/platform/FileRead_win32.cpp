#include "platform/FileRead.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <new>
#include <windows.h>

namespace psm {
namespace {

UniqueHandle OpenForReading(const std::wstring& path) {
    // Others may keep the file open in an editor. A folder does not open
    // (no FILE_FLAG_BACKUP_SEMANTICS), so it counts as missing.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return OwnFileHandle(handle);
}

} // namespace

// Win32 directly: the standard library's path conversions would pull the
// whole locale machinery into the static executable.
std::optional<std::string> ReadFileBytes(const std::string& utf8Path, std::uint64_t maxBytes) {
    const UniqueHandle file = OpenForReading(Widen(utf8Path));
    if (!file || GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
        return std::nullopt;
    }
    try {
        std::string content;
        content.reserve(static_cast<size_t>(size.QuadPart));
        char buffer[64 * 1024];
        for (;;) {
            DWORD count = 0;
            if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr)) {
                return std::nullopt;
            }
            if (count == 0) {
                return content;
            }
            // The file may have grown since it was measured.
            if (content.size() + count > maxBytes) {
                return std::nullopt;
            }
            content.append(buffer, count);
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace psm
