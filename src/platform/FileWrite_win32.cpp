#include "platform/FileWrite.h"
#include "platform/Folders_win32.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <windows.h>

namespace psm {
namespace {

// Opens the file, and when its folder is missing creates it and tries again.
UniqueHandle OpenWithFolder(const std::string& path, DWORD access, DWORD share, DWORD creation) {
    const std::wstring wide = Widen(path);
    const auto open = [&] {
        return OwnFileHandle(CreateFileW(wide.c_str(), access, share, nullptr, creation,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    UniqueHandle file = open();
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND && CreateFolderOf(wide)) {
        file = open();
    }
    return file;
}

bool WriteAll(HANDLE file, std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        const DWORD chunk = text.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(text.size());
        if (!WriteFile(file, text.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

} // namespace

struct AppendedFile::Handle {
    UniqueHandle File;
};

AppendedFile::AppendedFile() = default;

AppendedFile::~AppendedFile() = default;

bool AppendedFile::Open(const std::string& path) {
    Close();
    // Readers and a rename of the file do not have to wait for psm to end.
    UniqueHandle file =
        OpenWithFolder(path, FILE_APPEND_DATA,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_ALWAYS);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) {
        return false;
    }
    m_handle = std::make_unique<Handle>(Handle{std::move(file)});
    m_size = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

void AppendedFile::Close() {
    m_handle.reset();
    m_size = 0;
}

bool AppendedFile::IsOpen() const {
    return m_handle != nullptr;
}

bool AppendedFile::Append(std::string_view text) {
    if (!m_handle || !WriteAll(m_handle->File.Get(), text)) {
        return false;
    }
    m_size += text.size();
    return true;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool WriteWholeFile(const std::string& path, std::string_view text) {
    const UniqueHandle file = OpenWithFolder(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    return file && WriteAll(file.Get(), text);
}

} // namespace psm
