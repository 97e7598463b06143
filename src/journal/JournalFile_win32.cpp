#include "journal/JournalFile.h"
#include "platform/Folders_win32.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <string>
#include <windows.h>

namespace psm {
namespace {

// Another program (a second psm, an editor saving the file) holds it only
// for moments; longer than this, the line is not written.
constexpr int Attempts = 40;
constexpr DWORD AttemptPauseMs = 50;

bool Transient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Appending only: every write lands at the end of the file as a whole.
UniqueHandle OpenForAppend(const std::wstring& path, DWORD& error) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    return OwnFileHandle(handle);
}

// The whole file, also beyond its end, so that appenders take turns.
class AppendLock {
  public:
    explicit AppendLock(HANDLE file) : m_file(file) {
        m_locked = LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                              MAXDWORD, MAXDWORD, &m_range) != 0;
        m_error = m_locked ? ERROR_SUCCESS : GetLastError();
    }
    ~AppendLock() {
        if (m_locked) {
            UnlockFileEx(m_file, 0, MAXDWORD, MAXDWORD, &m_range);
        }
    }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;
    bool Locked() const { return m_locked; }
    DWORD Error() const { return m_error; }

  private:
    HANDLE m_file;
    OVERLAPPED m_range{};
    bool m_locked = false;
    DWORD m_error = ERROR_SUCCESS;
};

// The file's last byte is a line feed (or cannot be read: then nothing is added).
bool EndsWithLineEnd(HANDLE file, LONGLONG size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<ULONGLONG>(size - 1) & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(static_cast<ULONGLONG>(size - 1) >> 32);
    char last = '\n';
    DWORD read = 0;
    return !ReadFile(file, &last, 1, &read, &at) || read != 1 || last == '\n';
}

enum class Outcome { Written, TryAgain, Failed };

Outcome TryAppend(const std::wstring& path, std::string_view header, std::string_view line) {
    DWORD error = ERROR_SUCCESS;
    UniqueHandle file = OpenForAppend(path, error);
    if (!file && error == ERROR_PATH_NOT_FOUND) {
        if (CreateFolderOf(path)) {
            file = OpenForAppend(path, error);
        }
    }
    if (!file) {
        return Transient(error) ? Outcome::TryAgain : Outcome::Failed;
    }
    const AppendLock lock(file.Get());
    if (!lock.Locked()) {
        return Transient(lock.Error()) ? Outcome::TryAgain : Outcome::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        return Outcome::Failed;
    }
    // Whoever finds the file empty writes the header, so that it comes first.
    std::string text = size.QuadPart == 0 ? std::string(header) : std::string();
    if (size.QuadPart > 0 && !EndsWithLineEnd(file.Get(), size.QuadPart)) {
        // A line another writer left unfinished must not run into this one.
        text = "\r\n";
    }
    text += line;
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        return Transient(GetLastError()) ? Outcome::TryAgain : Outcome::Failed;
    }
    return written == text.size() ? Outcome::Written : Outcome::Failed;
}

} // namespace

bool AppendToJournal(const std::string& path, std::string_view header, std::string_view line) {
    const std::wstring widePath = Widen(path);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        switch (TryAppend(widePath, header, line)) {
        case Outcome::Written:
            return true;
        case Outcome::Failed:
            return false;
        case Outcome::TryAgain:
            Sleep(AttemptPauseMs);
            break;
        }
    }
    return false;
}

} // namespace psm
